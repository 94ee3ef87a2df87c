#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replay/script.h"

namespace {

using platform::ScriptedEvent;
using Kind = ScriptedEvent::Kind;
using replay::ParseScript;

std::string ErrorOf(const std::string& text) {
  try {
    ParseScript(text, "s.txt");
  } catch (const replay::ScriptError& e) {
    return e.what();
  }
  return "";
}

TEST(ScriptReader, ReadsEveryKindOfLine) {
  const std::string text =
      "\xEF\xBB\xBF# a comment\r\n"
      "\n"
      "   \t\n"
      "  # an indented comment\n"
      "10 down Right\n"
      "0010\tUP\tright\r\n"
      "500 tap Up\n"
      "7 Down ctrl\n"
      "7 down q\n"
      "7 down 5\n"
      "7 down 05\n"
      "7 down -1\n"
      "7 down 100\n"
      "7 down -32768\n"
      "7 down 32767\n"
      "7 down BackSpace\n"
      "2147483647 CLOSE";
  const replay::Script s = ParseScript(text, "s.txt");
  EXPECT_TRUE(s.closes);
  const std::vector<std::pair<Kind, std::int16_t>> want = {
      {Kind::KeyDown, 39},     {Kind::KeyUp, 39},      {Kind::KeyDown, 38}, {Kind::KeyUp, 38},   {Kind::KeyDown, 17},
      {Kind::KeyDown, 81},     {Kind::KeyDown, 53},    {Kind::KeyDown, 5},  {Kind::KeyDown, -1}, {Kind::KeyDown, 100},
      {Kind::KeyDown, -32768}, {Kind::KeyDown, 32767}, {Kind::KeyDown, 8},  {Kind::Close, 0},
  };
  ASSERT_EQ(s.events.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(s.events[i].kind, want[i].first) << i;
    if (want[i].first != Kind::Close) {
      EXPECT_EQ(s.events[i].keyCode, want[i].second) << i;
    }
  }
  EXPECT_EQ(s.events[1].time, 10);
  EXPECT_EQ(s.events[2].time, 500);
  EXPECT_EQ(s.events[3].time, 500);  // a tap's key-up comes in the same pump
  EXPECT_EQ(s.events.back().time, 2147483647);
}

TEST(ScriptReader, NamesTheLineAndWhatIsWrongWithIt) {
  using namespace std::string_literals;  // so that NUL bytes stay in the texts
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {"10 jump Up", "s.txt:1: unknown action \"jump\" (down, up, tap or close)"},
      {"# ok\n10 down Lefty", "s.txt:2: unknown key \"Lefty\""},
      {"10 down", "s.txt:1: missing key after down"},
      {"10", "s.txt:1: missing action after the time (down, up, tap or close)"},
      {"10 down Up Up", "s.txt:1: unexpected \"Up\" after the key"},
      {"10 close Up", "s.txt:1: close takes no key, found \"Up\""},
      {"-10 down Up", "s.txt:1: time \"-10\" is not a number of milliseconds"},
      {"+10 down Up", "s.txt:1: time \"+10\" is not a number of milliseconds"},
      {"1e3 down Up", "s.txt:1: time \"1e3\" is not a number of milliseconds"},
      {"down Up", "s.txt:1: time \"down\" is not a number of milliseconds"},
      {"2147483648 close", "s.txt:1: time \"2147483648\" is out of range (0 to 2147483647)"},
      {"99999999999999999999999 close", "s.txt:1: time \"99999999999999999999999\" is out of range (0 to 2147483647)"},
      {"10 down 32768", "s.txt:1: unknown key \"32768\""},
      {"10 down -32769", "s.txt:1: unknown key \"-32769\""},
      {"10 down -", "s.txt:1: unknown key \"-\""},
      {"10 down +5", "s.txt:1: unknown key \"+5\""},
      {"10 down ?", "s.txt:1: unknown key \"?\""},
      {"10 down \xC3\xA9", "s.txt:1: unknown key \"\\xc3\\xa9\""},
      {"10 down Up\x00"s, "s.txt:1: unknown key \"Up\\x00\""},
      {"\x89PNG\r\n\x1a\n\x00\x00"s, "s.txt:1: time \"\\x89PNG\" is not a number of milliseconds"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf(c.text), c.error) << c.text;
  }
}

TEST(ScriptReader, ShowsLongOrBinaryFieldsShortAndPrintable) {
  const std::string err = ErrorOf("10 down " + std::string(5000, 'x'));
  EXPECT_LT(err.size(), 80u);
  EXPECT_NE(err.find("...\""), std::string::npos);
  std::string binary(300, '\x01');
  binary[0] = '1';
  binary[1] = ' ';
  for (const char c : ErrorOf(binary)) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << int(c);
}

TEST(ScriptReader, RefusesAScriptOverTheSizeLimit) {
  const std::string huge(replay::kMaxScriptBytes + 1, '#');
  EXPECT_EQ(ErrorOf(huge), "s.txt: too large (over 64 MiB)");
}

TEST(ScriptReader, AnEmptyScriptHasNoEventsAndNoClose) {
  for (const char* text : {"", "\n\n", "# only a comment\n", "\xEF\xBB\xBF"}) {
    const replay::Script s = ParseScript(text, "s.txt");
    EXPECT_TRUE(s.events.empty());
    EXPECT_FALSE(s.closes);
  }
}

TEST(ScriptWriter, EveryLineItWritesReadsBackAsTheSameEvent) {
  EXPECT_EQ(replay::ScriptLine({10, Kind::KeyDown, 39}), "10    down Right\n");
  EXPECT_EQ(replay::ScriptLine({2147483647, Kind::KeyUp, 80}), "2147483647 up   P\n");
  EXPECT_EQ(replay::ScriptLine({0, Kind::KeyDown, 5}), "0     down 05\n");
  EXPECT_EQ(replay::ScriptLine({18000, Kind::Close, 0}), "18000 close\n");

  std::string text;
  std::vector<ScriptedEvent> written;
  for (int code = -32768; code <= 32767; ++code) {
    written.push_back({code & 0xffff, code % 2 == 0 ? Kind::KeyDown : Kind::KeyUp, std::int16_t(code)});
    text += replay::ScriptLine(written.back());
  }
  written.push_back({2147483647, Kind::Close, 0});
  text += replay::ScriptLine(written.back());
  const replay::Script read = ParseScript(text, "s.txt");
  ASSERT_EQ(read.events.size(), written.size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    ASSERT_EQ(read.events[i].time, written[i].time);
    ASSERT_EQ(read.events[i].kind, written[i].kind);
    ASSERT_EQ(read.events[i].keyCode, written[i].keyCode) << replay::ScriptLine(written[i]);
  }
}

}  // namespace
