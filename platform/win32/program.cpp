// The program on Windows: arguments from the UTF-16 command line, and text
// output connected as platform/program.h says.
#include "platform/program.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

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

// Puts the stream (standard input, output or error, by descriptor) onto a
// file or device: answers a descriptor of it, or -1. The C library's
// freopen refuses a stream the program was started without (Wine's gives it
// no descriptor at all), so the descriptor is set up underneath instead and
// handed to the stream.
int Redirect(std::FILE* stream, int descriptor, const wchar_t* path, int flags) {
  const int opened = _wopen(path, flags | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (opened < 0) return -1;
  if (_dup2(opened, descriptor) != 0) {
    _close(opened);
    return -1;
  }
  if (_fileno(stream) < 0) stream->_file = descriptor;
  return opened;
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

// Standard output and error, when there is nowhere to write them: each kept
// in a temporary file until the program ends.
struct Program::KeptOutput {
  struct Stream {
    std::FILE* stream;
    std::wstring file;
    int descriptor;  // to read it back
  };
  std::vector<Stream> streams;
  std::wstring title;

  void Keep(std::FILE* stream, int descriptor) {
    const std::wstring file = TemporaryFile();
    if (file.empty()) return;
    const int kept = Redirect(stream, descriptor, file.c_str(), _O_RDWR | _O_TRUNC);
    if (kept >= 0) {
      streams.push_back({stream, file, kept});
    } else {
      DeleteFileW(file.c_str());
    }
  }

  // What the stream got, at most `limit` characters of it.
  static std::string Read(const Stream& kept, std::size_t limit) {
    std::fflush(kept.stream);
    std::string text;
    char buffer[4096];
    int n = 0;
    _lseek(kept.descriptor, 0, SEEK_SET);
    while (text.size() < limit && (n = _read(kept.descriptor, buffer, sizeof buffer)) > 0) text.append(buffer, n);
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
      _close(kept.descriptor);
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
    if (!in) Redirect(stdin, 0, L"CONIN$", _O_RDONLY);
    if (!out) Redirect(stdout, 1, L"CONOUT$", _O_WRONLY);
    if (!err) Redirect(stderr, 2, L"CONOUT$", _O_WRONLY);
    SetConsoleOutputCP(CP_UTF8);
  } else if (!out || !err) {
    kept_ = std::make_unique<KeptOutput>();
    kept_->title = Widen(name);
    if (!out) kept_->Keep(stdout, 1);
    if (!err) kept_->Keep(stderr, 2);
  }
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

Program::~Program() {
  if (kept_) kept_->Show();
}

}  // namespace platform
