// The game the page runs, for the test page to read and set.
#pragma once

#include "shell/game.h"

Game* PageGame();
