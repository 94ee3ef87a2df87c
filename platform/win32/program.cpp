// The program on Windows: arguments from the UTF-16 command line, and text
// output connected as platform/program.h says.
#include "platform/program.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/win32/windows_system.h"

namespace platform {
namespace {

// A stream that has somewhere to go as it is: a file, a pipe, the console the
// program has, or a device such as NUL.
bool Connected(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::wstring TemporaryFile() {
  wchar_t folder[MAX_PATH + 1], file[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"plk", 0, file) == 0) return L"";
  return file;
}

}  // namespace

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return L"";
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(std::size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const wchar_t* utf16) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, utf16, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return "";
  std::string narrow(std::size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16, -1, narrow.data(), n, nullptr, nullptr);
  narrow.pop_back();  // the terminating zero
  return narrow;
}

// Standard output and error, when there is nowhere to write them: kept in
// temporary files until the program ends.
struct Program::KeptOutput {
  struct Stream {
    std::FILE* stream;
    std::wstring file;
  };
  std::vector<Stream> streams;
  std::wstring title;

  void Keep(std::FILE* stream) {
    const std::wstring file = TemporaryFile();
    if (!file.empty() && _wfreopen(file.c_str(), L"w+b", stream) != nullptr) streams.push_back({stream, file});
  }

  // Everything the stream got, at most `limit` characters of it.
  static std::string Read(const Stream& kept, std::size_t limit) {
    std::fflush(kept.stream);
    std::string text;
    if (std::fseek(kept.stream, 0, SEEK_SET) != 0) return text;
    char buffer[4096];
    std::size_t n = 0;
    while (text.size() < limit && (n = std::fread(buffer, 1, sizeof buffer, kept.stream)) > 0) text.append(buffer, n);
    if (text.size() > limit) text = text.substr(0, limit) + "\n...";
    return text;
  }

  void Show() {
    constexpr std::size_t kLongest = 4000;  // a trace written to standard output is not for a box
    std::string text;
    bool error = false;
    for (const Stream& kept : streams) {
      const std::string part = Read(kept, kLongest);
      error = error || (kept.stream == stderr && !part.empty());
      text += part;
    }
    for (const Stream& kept : streams) {
      std::fclose(kept.stream);
      DeleteFileW(kept.file.c_str());
    }
    while (!text.empty() && text.back() == '\n') text.pop_back();
    if (text.empty()) return;
    MessageBoxW(nullptr, Widen(text).c_str(), title.c_str(), MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
  }
};

Program::Program(int /*argc*/, char** /*argv*/, const char* name) : arguments_(CommandLineArguments()) {
  for (std::string& argument : arguments_) pointers_.push_back(argument.data());
  pointers_.push_back(nullptr);

  const bool in = Connected(STD_INPUT_HANDLE), out = Connected(STD_OUTPUT_HANDLE), err = Connected(STD_ERROR_HANDLE);
  if (!(in && out && err) && AttachConsole(ATTACH_PARENT_PROCESS) != 0) {
    // Started from a console: what is not redirected goes to it.
    if (!in) _wfreopen(L"CONIN$", L"r", stdin);
    if (!out) _wfreopen(L"CONOUT$", L"w", stdout);
    if (!err) _wfreopen(L"CONOUT$", L"w", stderr);
    SetConsoleOutputCP(CP_UTF8);
  } else if (!out || !err) {
    kept_ = std::make_unique<KeptOutput>();
    kept_->title = Widen(name);
    if (!out) kept_->Keep(stdout);
    if (!err) kept_->Keep(stderr);
  }
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

Program::~Program() {
  if (kept_) kept_->Show();
}

}  // namespace platform
