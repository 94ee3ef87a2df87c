// A run as a link to the game's page: plinkard.html#run= followed by the
// recording's text, compressed with raw DEFLATE and written in base64url
// without padding. The page plays the run it holds.
#pragma once

#include <string>
#include <string_view>

namespace replay {

// What a link keeps of a recording: its first line, the events and the
// result lines but the checks of each 100 frames; its other comments and
// blank lines are left out.
std::string LinkText(std::string_view recording);

// "#run=...", the fragment of the recording's link.
std::string LinkFragment(std::string_view recording);

std::string Base64Url(std::string_view bytes);

}  // namespace replay
