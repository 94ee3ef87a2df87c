// The Windows headers the Win32 backend uses, and the only way it includes
// them: <windows.h> lean and without min and max, and then the macros whose
// names the game's own code uses (RGB, SRCCOPY, SRCAND, SRCPAINT, MessageBox)
// taken back, so that the game's headers read the same before or after this
// one. The colours and raster operations GDI needs are spelled out where used.
#pragma once

#include <string>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// These need <windows.h> before them.
#include <shellapi.h>
#include <timeapi.h>
#include <xinput.h>

#undef RGB
#undef SRCCOPY
#undef SRCAND
#undef SRCPAINT
#undef MessageBox

namespace platform {

// UTF-8 to UTF-16 and back, for the system's calls.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const wchar_t* utf16);

}  // namespace platform
