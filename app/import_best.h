// plinkard --import-best FILE: a run from elsewhere (another machine, say)
// kept as the player's best if it verifies, finishes at 100% and beats the
// best kept. Answers the exit status: 0 whether kept or not (one line says
// which), 1 for a file that can't be read or does not verify, with nothing
// kept changed.
#pragma once

#include <string>

int ImportBest(const std::string& name);
