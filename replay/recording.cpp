#include "replay/recording.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "generated/version.h"

namespace replay {
namespace {

constexpr std::string_view kFormatLine = "# Plinkard recording ";
constexpr std::string_view kFormat1Line = "# Recorded by Plinkard ";

std::optional<std::int64_t> Number(std::string_view text) {
  std::int64_t n = 0;
  if (text.empty() || text.size() > 18 || text[0] < '0' || text[0] > '9') return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return n;
}

bool IsHexDigest(std::string_view text) {
  return text.size() == 64 &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// The checks a run of `frames` frames has, by the frames each covers.
std::vector<Check> CheckRanges(std::int64_t frames) {
  std::vector<Check> ranges;
  for (std::int64_t first = 1; first <= frames; first += kFramesPerCheck) {
    ranges.push_back({first, std::min(frames, first + kFramesPerCheck - 1), ""});
  }
  return ranges;
}

// Reads one result line's words into the result; false for a line it can't read.
bool ReadResultLine(std::string_view words, RunResult& result, std::vector<bool>& seen) {
  const auto once = [&](int what) {
    if (seen[std::size_t(what)]) return false;
    seen[std::size_t(what)] = true;
    return true;
  };
  const auto after = [&](std::string_view prefix) -> std::optional<std::string_view> {
    if (!words.starts_with(prefix)) return std::nullopt;
    return words.substr(prefix.size());
  };
  if (const auto rest = after("frames ")) {
    const auto n = Number(*rest);
    if (!n || !once(0)) return false;
    result.frames = *n;
    return true;
  }
  if (words == "door not opened") return once(1);
  if (const auto rest = after("door opened at frame ")) {
    const std::size_t space = rest->find(' ');
    const auto n = Number(rest->substr(0, space));
    if (!n || space == std::string_view::npos || rest->substr(space) != " (" + Seconds(*n) + ")" || !once(1)) {
      return false;
    }
    result.door = *n;
    return true;
  }
  if (const auto rest = after("deaths ")) {
    const auto n = Number(*rest);
    if (!n || *n > 2147483647 || !once(2)) return false;
    result.deaths = int(*n);
    return true;
  }
  if (const auto rest = after("speeds ")) {
    if (!once(3)) return false;
    std::string_view list = *rest;
    while (!list.empty()) {
      const std::size_t comma = list.find(", ");
      std::string_view item = list.substr(0, comma);
      if (!item.ends_with('%')) return false;
      const auto n = Number(item.substr(0, item.size() - 1));
      if (!n || *n < 1 || *n > 100) return false;
      result.speeds.push_back(int(*n));
      list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 2);
    }
    return !result.speeds.empty();
  }
  if (const auto rest = after("check ")) {
    const std::size_t space = rest->find(' ');
    if (space == std::string_view::npos || !IsHexDigest(rest->substr(space + 1))) return false;
    const std::string_view range = rest->substr(0, space);
    const std::string hex(rest->substr(space + 1));
    if (range == "all") {
      if (!once(4)) return false;
      result.all = hex;
      return true;
    }
    const std::size_t dash = range.find('-');
    const auto first = Number(range.substr(0, dash));
    const auto last = dash == std::string_view::npos ? std::nullopt : Number(range.substr(dash + 1));
    if (!first || !last) return false;
    result.checks.push_back({*first, *last, hex});
    return true;
  }
  return false;
}

}  // namespace

std::string Seconds(std::int64_t frame) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%02lld s", static_cast<long long>(frame / 100),
                static_cast<long long>(frame % 100));
  return text;
}

std::string Deaths(int deaths) { return std::to_string(deaths) + (deaths == 1 ? " death" : " deaths"); }

bool IsResultLine(std::string_view line) {
  for (const std::string_view word : {"# frames ", "# door ", "# deaths ", "# speeds ", "# check "}) {
    if (line.starts_with(word)) return true;
  }
  return false;
}

std::string TimeNow() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = *std::localtime(&now);
  std::tm utc = *std::gmtime(&now);
  utc.tm_isdst = local.tm_isdst;  // read as local time, UTC's fields are a time `offset` earlier
  const long offset = long(std::difftime(now, std::mktime(&utc)) / 60);
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  std::snprintf(text + n, sizeof text - n, " %c%02ld%02ld", offset < 0 ? '-' : '+', std::labs(offset) / 60,
                std::labs(offset) % 60);
  return text;
}

std::string RecordingHeader(const std::string& madeOn) {
  return std::string(kFormatLine) + std::to_string(kRecordingFormat) + ", made by Plinkard " + PLINKARD_VERSION +
         " on " + madeOn + "\n# Watch it with plinkard --play FILE; check it with plinkard-replay --verify FILE\n";
}

std::string DoorWords(const std::optional<std::int64_t>& door) {
  if (!door) return "door not opened";
  return "door opened at frame " + std::to_string(*door) + " (" + Seconds(*door) + ")";
}

std::string ResultLines(const RunResult& result) {
  std::string lines = "# frames " + std::to_string(result.frames) + "\n# " + DoorWords(result.door) + "\n# deaths " +
                      std::to_string(result.deaths) + "\n";
  if (!result.speeds.empty()) {
    lines += "# speeds ";
    for (std::size_t i = 0; i < result.speeds.size(); ++i) {
      lines += (i > 0 ? ", " : "") + std::to_string(result.speeds[i]) + "%";
    }
    lines += "\n";
  }
  for (const Check& c : result.checks) {
    lines += "# check " + std::to_string(c.first) + "-" + std::to_string(c.last) + " " + c.hex + "\n";
  }
  return lines + "# check all " + result.all + "\n";
}

Recording ReadRecording(std::string_view text, const std::string& name) {
  if (text.size() > kMaxRecordingBytes) throw ScriptError(name + ": too large for a recording (over 4 MiB)");
  Recording recording;
  recording.script = ParseScript(text, name);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::string_view first = text.substr(0, text.find('\n'));
  const auto madeBy = [&](std::string_view rest) {
    // "VERSION on DATE"
    const std::size_t on = rest.find(" on ");
    recording.madeBy = std::string(rest.substr(0, on));
    if (on != std::string_view::npos) recording.madeOn = std::string(rest.substr(on + 4));
    if (recording.madeOn.ends_with('\r')) recording.madeOn.pop_back();
  };
  if (first.starts_with(kFormat1Line)) {
    recording.format = 1;
    madeBy(first.substr(kFormat1Line.size()));
    return recording;
  }
  if (!first.starts_with(kFormatLine)) return recording;
  std::string_view rest = first.substr(kFormatLine.size());
  const std::size_t comma = rest.find(", made by Plinkard ");
  const auto format = Number(rest.substr(0, comma));
  if (!format || comma == std::string_view::npos) return recording;
  recording.format = int(std::min<std::int64_t>(*format, 1000000));
  madeBy(rest.substr(comma + std::string_view(", made by Plinkard ").size()));

  RunResult result;
  std::vector<bool> seen(5, false);
  bool any = false;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!IsResultLine(line)) continue;
    any = true;
    if (!ReadResultLine(line.substr(2), result, seen)) {
      recording.damaged.push_back(std::to_string(lineNumber) + ": \"" + std::string(line.substr(0, 80)) + "\"");
    }
  }
  if (!any) return recording;
  if (!seen[0] || !seen[1] || !seen[2] || !seen[4]) recording.damaged.push_back("the result lines are not all there");
  if (result.frames > kMaxRecordingFrames) recording.damaged.push_back("more frames than any run checked has");
  if (!result.checks.empty()) {
    std::vector<Check> expected = CheckRanges(result.frames);
    bool standard = expected.size() == result.checks.size();
    for (std::size_t i = 0; standard && i < expected.size(); ++i) {
      standard = expected[i].first == result.checks[i].first && expected[i].last == result.checks[i].last;
    }
    if (!standard) recording.damaged.push_back("the checks do not cover the frames one hundred at a time");
  }
  recording.result = std::move(result);
  return recording;
}

std::string Description(const std::string& name, const Recording& recording) {
  const std::size_t events = recording.script.events.size();
  const std::string counted = std::to_string(events) + (events == 1 ? " event" : " events");
  if (recording.format == 0) return name + ": a script of " + counted + ", not a recording\n";
  std::string text = name + ": Plinkard recording " + std::to_string(recording.format) + ", made by Plinkard " +
                     recording.madeBy + " on " + recording.madeOn + "\n";
  if (!recording.result) {
    return text + "  " + counted +
           "; no result lines: " + (recording.format == 1 ? "recordings of format 1 have none" : "unfinished") + "\n";
  }
  const RunResult& r = *recording.result;
  text += "  " + std::to_string(r.frames) + " frames (" + Seconds(r.frames) + "), " + counted;
  if (!r.speeds.empty()) {
    text += ", played at ";
    for (std::size_t i = 0; i < r.speeds.size(); ++i) text += (i > 0 ? ", " : "") + std::to_string(r.speeds[i]) + "%";
  }
  text += "\n  " + DoorWords(r.door) + ", " + Deaths(r.deaths) + "\n";
  for (const std::string& damage : recording.damaged) text += "  damaged result line " + damage + "\n";
  return text;
}

}  // namespace replay
