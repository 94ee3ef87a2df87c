// libFuzzer target for the replay script reader and the recordings' result
// lines. Any bytes at all must either read as a script or be refused with a
// ScriptError whose message is one line naming the script, and the line when
// it names one. A script that reads must read back the same when written out
// again in its plainest form. Read as a recording, its result lines are read
// or said to be damaged, it can be described, and its link's text is a
// script again, which DEFLATE compresses so that zlib gets the bytes back.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "replay/deflate.h"
#include "replay/link.h"
#include "replay/recording.h"
#include "replay/script.h"

namespace {

using platform::ScriptedEvent;

constexpr const char* kName = "fuzz.txt";

[[noreturn]] void Finding(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "script reader: %s: %.*s\n", what, int(detail.size()), detail.data());
  std::abort();
}

std::size_t Lines(std::string_view text) {
  std::size_t lines = 1;
  for (const char c : text) lines += c == '\n';
  return lines;
}

void CheckRefusal(std::string_view text, const std::string& message) {
  const std::string prefix = std::string(kName) + ":";
  if (message.compare(0, prefix.size(), prefix) != 0) Finding("error does not name the script", message);
  if (message.find_first_of("\r\n") != std::string::npos) Finding("error is more than one line", message);
  if (message.size() > 300) Finding("error is too long", message);
  for (const char c : message) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
      Finding("error shows an unprintable byte", message);
    }
  }
  // "fuzz.txt:LINE: ..." names a line of the text; "fuzz.txt: ..." the whole script.
  const std::string_view rest = std::string_view(message).substr(prefix.size());
  if (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') {
    std::size_t line = 0, i = 0;
    while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9' && line < 1000000000)
      line = line * 10 + std::size_t(rest[i++] - '0');
    if (i >= rest.size() || rest[i] != ':') Finding("line number not followed by a colon", message);
    if (line < 1 || line > Lines(text)) Finding("error names a line the script does not have", message);
  }
}

// The script written out again: one event a line, key codes as numbers of two
// or more characters so that none reads as a digit key.
std::string Plainest(const replay::Script& script) {
  std::string text;
  for (const ScriptedEvent& e : script.events) {
    text += std::to_string(e.time);
    if (e.kind == ScriptedEvent::Kind::Close) {
      text += " close\n";
      continue;
    }
    text += e.kind == ScriptedEvent::Kind::KeyDown ? " down " : " up ";
    const int code = e.keyCode;
    text += (code >= 0 && code <= 9 ? "0" : "") + std::to_string(code) + "\n";
  }
  return text;
}

void CheckScript(const replay::Script& script) {
  bool closes = false;
  for (const ScriptedEvent& e : script.events) {
    if (e.time < 0 || e.time > 2147483647) Finding("event time out of range", std::to_string(e.time));
    closes = closes || e.kind == ScriptedEvent::Kind::Close;
  }
  if (closes != script.closes) Finding("close flag disagrees with the events");

  const std::string again = Plainest(script);
  replay::Script reread;
  try {
    reread = replay::ParseScript(again, kName);
  } catch (const replay::ScriptError& error) {
    Finding("plainest form does not read back", error.what());
  }
  if (reread.closes != script.closes || reread.events.size() != script.events.size()) {
    Finding("plainest form reads back different", again);
  }
  for (std::size_t i = 0; i < script.events.size(); ++i) {
    const ScriptedEvent &a = script.events[i], &b = reread.events[i];
    if (a.time != b.time || a.kind != b.kind || (a.kind != ScriptedEvent::Kind::Close && a.keyCode != b.keyCode)) {
      Finding("plainest form reads back different", again);
    }
  }
}

void CheckRecording(std::string_view text) {
  const replay::Recording recording = replay::ReadRecording(text, kName);
  if (recording.result && recording.result->frames < 0) Finding("a recording of fewer than no frames");
  const std::string description = replay::Description(kName, recording);
  if (description.empty() || description.back() != '\n') Finding("a description without its line end", description);

  const std::string link = replay::LinkText(text);
  try {
    replay::ParseScript(link, kName);
  } catch (const replay::ScriptError& error) {
    Finding("a link's text is no script", error.what());
  }
  const std::string packed = replay::Deflate(link);
  std::string unpacked(link.size() + 1, '\0');
  z_stream z{};
  inflateInit2(&z, -15);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = uInt(packed.size());
  z.next_out = reinterpret_cast<Bytef*>(unpacked.data());
  z.avail_out = uInt(unpacked.size());
  const int status = inflate(&z, Z_FINISH);
  unpacked.resize(z.total_out);
  inflateEnd(&z);
  if (status != Z_STREAM_END || unpacked != link) Finding("zlib reads back something else than was compressed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    CheckScript(replay::ParseScript(text, kName));
    CheckRecording(text);
  } catch (const replay::ScriptError& error) {
    CheckRefusal(text, error.what());
  } catch (const std::exception& other) {
    Finding("threw something other than a ScriptError", other.what());
  }
  return 0;
}
