// The desktop window of the system the game is built for: Win32's on Windows,
// SDL's everywhere else. Both open the same way and show the game alike.
#pragma once

#ifdef _WIN32
#include "platform/win32/window.h"
namespace platform {
using DesktopWindow = Win32Window;
}
#else
#include "platform/sdl/window.h"
namespace platform {
using DesktopWindow = SdlWindow;
}
#endif
