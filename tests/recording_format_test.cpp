// Recordings that check themselves: a finished recording verifies, any change
// to its events is found near where it takes effect, a killed one says it is
// unfinished, and its link holds what the page needs, compressed so that any
// DEFLATE reader reads it back.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "generated/version.h"
#include "live_runs.h"
#include "replay/deflate.h"
#include "replay/link.h"
#include "replay/recording.h"
#include "replay/sha256.h"

namespace {

using replay::Verdict;

// A route as the recorder would have written it: header, events, result lines.
std::string Recorded(const std::string& route) {
  const replay::Script script = replay::ParseScript(RouteText(route), route);
  std::string text = replay::RecordingHeader("2026-12-10 12:00:00 +0000");
  for (const platform::ScriptedEvent& e : script.events) text += replay::ScriptLine(e);
  return text + replay::ResultLines(replay::ResultOf(script.events, std::nullopt));
}

Verdict VerifyText(const std::string& text) { return replay::Verify(replay::ReadRecording(text, "run")); }

// The text with its n-th event line (counting from 0) replaced, or dropped
// when `by` is empty.
std::string WithEventLine(const std::string& text, int n, const std::string& by) {
  std::size_t at = 0;
  for (int seen = -1;; at = text.find('\n', at) + 1) {
    if (text[at] != '#' && ++seen == n) break;
  }
  const std::size_t end = text.find('\n', at) + 1;
  return text.substr(0, at) + by + text.substr(end);
}

std::string Inflated(const std::string& compressed, std::size_t size) {
  z_stream z{};
  EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
  std::string out(size + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  z.avail_in = uInt(compressed.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  inflateEnd(&z);
  return out;
}

TEST(Sha256, KnownDigests) {
  const auto hex = [](const std::string& text) {
    replay::Sha256 h;
    h.Update(text);
    return h.Hex();
  };
  EXPECT_EQ(hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  replay::Sha256 pieces;  // a million a's, fed unevenly
  for (int fed = 0; fed < 1000000;) {
    const int n = std::min(1000000 - fed, 1 + fed % 97);
    pieces.Update(std::string(std::size_t(n), 'a'));
    fed += n;
  }
  EXPECT_EQ(pieces.Hex(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Deflate, AnyReaderGetsTheBytesBack) {
  std::mt19937 random(7);
  std::string noise(70000, '\0');
  for (char& c : noise) c = char(random());
  std::string skewed(200000, 'a');
  for (char& c : skewed) c = "aaaaaaabbbc\n"[random() % 12];
  const std::vector<std::string> inputs = {
      "", "x", "xy", std::string(100000, 'z'), noise, skewed, RouteText("complete.txt"), Recorded("deaths.txt"),
  };
  for (const std::string& in : inputs)
    EXPECT_TRUE(Inflated(replay::Deflate(in), in.size()) == in) << in.size() << " bytes";
  EXPECT_LT(replay::Deflate(RouteText("complete.txt")).size(), RouteText("complete.txt").size() / 2);
}

TEST(Base64Url, NoPaddingAndTheUrlsDigits) {
  EXPECT_EQ(replay::Base64Url(""), "");
  EXPECT_EQ(replay::Base64Url("f"), "Zg");
  EXPECT_EQ(replay::Base64Url("fo"), "Zm8");
  EXPECT_EQ(replay::Base64Url("foo"), "Zm9v");
  EXPECT_EQ(replay::Base64Url("\xfb\xff\xbf"), "-_-_");
}

TEST(Recording, AFinishedRecordingVerifiesAndSaysWhatItReached) {
  EXPECT_EQ(VerifyText(Recorded("complete.txt")).words, "verified: door at frame 1740 (17.40 s), 0 deaths");
  const Verdict deaths = VerifyText(Recorded("deaths.txt"));
  EXPECT_EQ(deaths.kind, Verdict::Kind::Verified);
  EXPECT_EQ(deaths.words, "verified: 1800 frames, 3 deaths, door not opened");

  const replay::Recording read = replay::ReadRecording(Recorded("complete.txt"), "complete");
  EXPECT_EQ(read.format, 2);
  EXPECT_EQ(read.madeOn, "2026-12-10 12:00:00 +0000");
  ASSERT_TRUE(read.result);
  EXPECT_EQ(read.result->checks.size(), 18u);
  EXPECT_EQ(read.result->checks.back().first, 1701);
  EXPECT_EQ(read.result->checks.back().last, 1750);
}

TEST(Recording, AnyChangeToAnEventIsFoundNearWhereItActs) {
  const std::string text = Recorded("complete.txt");
  // Every event, with its time moved by 1 ms, its key changed, its action
  // changed, or dropped: one of the four for each, in turn.
  const replay::Recording read = replay::ReadRecording(text, "run");
  for (int n = 0; n < int(read.script.events.size()); ++n) {
    platform::ScriptedEvent e = read.script.events[std::size_t(n)];
    const bool close = e.kind == platform::ScriptedEvent::Kind::Close;
    switch (close ? n % 2 * 3 : n % 4) {
      case 0: e.time += 1; break;
      case 1: e.keyCode = e.keyCode == vk::F1 ? vk::Up : vk::F1; break;  // F1: a key the game does nothing with
      case 2:
        e.kind = e.kind == platform::ScriptedEvent::Kind::KeyDown ? platform::ScriptedEvent::Kind::KeyUp
                                                                  : platform::ScriptedEvent::Kind::KeyDown;
        break;
      default: break;
    }
    const std::string changed = WithEventLine(text, n, (close ? n % 2 * 3 : n % 4) == 3 ? "" : replay::ScriptLine(e));
    const Verdict verdict = VerifyText(changed);
    ASSERT_EQ(verdict.kind, Verdict::Kind::Differs) << "event " << n;
    // Found no later than the check of the frames where the event comes.
    const std::int64_t frame = std::stoll(verdict.words.substr(std::string("differs from frame ").size()));
    ASSERT_LE(frame, read.script.events[std::size_t(n)].time / 10 + 2) << "event " << n << ": " << verdict.words;
  }
}

TEST(Recording, AddedEventsAndEditedResultsDiffer) {
  const std::string text = Recorded("deaths.txt");
  // An event of a key the game ignores, even after the close.
  EXPECT_EQ(VerifyText(text + "500 down 05\n").kind, Verdict::Kind::Differs);
  EXPECT_EQ(VerifyText(text + "99999 down F\n").words, "differs from frame 1801");
  std::string deaths = text;
  deaths.replace(deaths.find("# deaths 3"), 10, "# deaths 2");
  EXPECT_EQ(VerifyText(deaths).kind, Verdict::Kind::Differs);
  std::string frames = text;
  frames.replace(frames.find("# frames 1800"), 13, "# frames 1799");
  EXPECT_EQ(VerifyText(frames).words.substr(0, 16), "differs: damaged");
  std::string check = text;
  const std::size_t at = check.find("# check 301-400 ") + 16;
  check[at] = check[at] == '0' ? '1' : '0';
  EXPECT_EQ(VerifyText(check).words, "differs from frame 301");
}

TEST(Recording, WithoutResultLinesItIsUnfinishedAndStillAScript) {
  const std::string text = Recorded("pause.txt");
  const std::string killed = text.substr(0, text.find("# frames"));
  EXPECT_EQ(VerifyText(killed).kind, Verdict::Kind::Unfinished);
  EXPECT_EQ(VerifyText(killed).words, "unfinished: no result lines");
  EXPECT_EQ(ReplayRows(killed), ReplayRows(RouteText("pause.txt")));
  EXPECT_EQ(VerifyText(RouteText("pause.txt")).kind, Verdict::Kind::Unfinished) << "a script nobody recorded";
  const replay::Recording old = replay::ReadRecording(
      "# Recorded by Plinkard 1.1.0 on 2026-12-09 20:00:00 +0000\n"
      "10 down Right\n200 close\n",
      "old");
  EXPECT_EQ(old.format, 1);
  EXPECT_EQ(replay::Description("old", old),
            "old: Plinkard recording 1, made by Plinkard 1.1.0 on 2026-12-09 20:00:00 +0000\n"
            "  2 events; no result lines: recordings of format 1 have none\n");
}

TEST(Recording, DescriptionSaysWhatItHoldsWithoutReplaying) {
  replay::Recording read = replay::ReadRecording(Recorded("complete.txt"), "complete");
  read.script.events.clear();  // nothing left to replay: the words come from the result lines
  EXPECT_EQ(replay::Description("c.txt", read), "c.txt: Plinkard recording 2, made by Plinkard " +
                                                    std::string(PLINKARD_VERSION) +
                                                    " on 2026-12-10 12:00:00 +0000\n"
                                                    "  1750 frames (17.50 s), 0 events\n"
                                                    "  door opened at frame 1740 (17.40 s), 0 deaths\n");
}

TEST(Link, KeepsTheEventsAndTheResultAndStillVerifies) {
  const std::string text = Recorded("complete.txt") + "# a note of the player's\n";
  const std::string kept = replay::LinkText(text);
  EXPECT_EQ(kept.find("# Watch it"), std::string::npos);
  EXPECT_EQ(kept.find("# a note"), std::string::npos);
  EXPECT_EQ(kept.find("# check 1-100 "), std::string::npos);
  EXPECT_NE(kept.find("# check all "), std::string::npos);
  EXPECT_NE(kept.find("# door opened at frame 1740 (17.40 s)\n"), std::string::npos);
  EXPECT_EQ(VerifyText(kept).words, "verified: door at frame 1740 (17.40 s), 0 deaths");

  const std::string fragment = replay::LinkFragment(text);
  ASSERT_EQ(fragment.substr(0, 5), "#run=");
  EXPECT_EQ(fragment.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_", 5),
            std::string::npos);
}

}  // namespace
