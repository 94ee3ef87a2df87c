// plinkard-replay as its users run it: files in, exit status and files out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "program_run.h"
#include "replay/recording.h"
#include "replay/replay.h"
#include "replay/script.h"

namespace {

namespace fs = std::filesystem;

class ReplayCli : public ProgramRun {
 protected:
  int Run(const std::string& args) { return RunProgram("plinkard-replay", args); }
};

TEST_F(ReplayCli, TracesEveryFrameAndRepeatsItselfByteForByte) {
  const std::string script = Write("walk.txt",
                                   "# hold Right from before frame 2 for 100 frames\n"
                                   "10    down Right\n1010  up   Right\n500   tap  Up\n2000  close\n");
  ASSERT_EQ(Run("--trace " + Path("a.csv") + " --png " + Path("a.png") + " " + script), 0) << err();
  EXPECT_EQ(err(), "");
  ASSERT_EQ(Run(script + " --png " + Path("b.png") + " --trace " + Path("b.csv")), 0) << err();

  const std::string trace = ReadFile(Path("a.csv"));
  EXPECT_EQ(trace, ReadFile(Path("b.csv")));
  EXPECT_EQ(ReadFile(Path("a.png")), ReadFile(Path("b.png")));
  EXPECT_EQ(ReadFile(Path("a.png")).substr(1, 3), "PNG");

  std::istringstream rows(trace);
  std::string line;
  std::getline(rows, line);
  EXPECT_EQ(line,
            "frame,tick,X,Y,XVel,YVel,XVelMax,Jumps,Picstate,Crouched,Visible,Flag1,Flag2,Door,Deaths,"
            "MeasureLeft,MeasureTop,Caption");
  std::getline(rows, line);
  EXPECT_EQ(line, "1,0,8,111,0,0,2.93000007,0,2,0,-1,0,0,0,0,552,104,\"Form1\"");
  std::getline(rows, line);
  EXPECT_EQ(line, "2,10,8.13000011,111,0.129999995,0,2.93000007,0,2,0,-1,0,0,0,0,552,104,\"Form1\"");
  int count = 2;
  while (std::getline(rows, line)) {
    ++count;
    if (count == 101) {
      EXPECT_EQ(line.substr(0, 9), "101,1000,");
      EXPECT_NE(line.find("\"Plinkard running at 101FPS.\""), std::string::npos);
    }
  }
  EXPECT_EQ(count, 200);  // frame 200 starts at 1990; the close comes in the pump at 2000
}

TEST_F(ReplayCli, SaysWhenTheRunReachesTheDoor) {
  ASSERT_EQ(Run(RoutePath("complete.txt")), 0);
  EXPECT_EQ(err(), "Door opened at frame 1740: 17.40 s, 0 deaths\n");
  EXPECT_EQ(replay::FinishLine(5, 1), "Door opened at frame 5: 0.05 s, 1 death");
  ASSERT_EQ(Run(RoutePath("deaths.txt")), 0);
  EXPECT_EQ(err(), "");
}

TEST_F(ReplayCli, FramesEndsTheRunAndStandardStreamsWork) {
  const std::string script = Write("idle.txt", "# nothing\n");
  EXPECT_EQ(Run("--frames 3 --trace - " + script + " >" + Path("out.csv")), 0) << err();
  const std::string trace = ReadFile(Path("out.csv"));
  EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 4);

  const std::string command = "printf '5 tap Right\\n40 close\\n' | " + std::string(PLINKARD_BINARY_DIR) +
                              "/plinkard-replay --trace " + Path("stdin.csv") + " -";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadFile(Path("stdin.csv")).find("5,40,"), std::string::npos);
  EXPECT_NE(ReadFile(Path("stdin.csv")).find("4,30,"), std::string::npos);
}

TEST_F(ReplayCli, RefusesBadScriptsWithOneLineNamingIt) {
  using namespace std::string_literals;  // so that NUL bytes stay in the texts
  const struct {
    std::string text;
    std::string error;  // after the script's name
  } cases[] = {
      {"# ok\n10 down Up\n20 jump Up\n90 close\n", ":3: unknown action \"jump\" (down, up, tap or close)"},
      {"20 close\n10 down Leftt\n", ":2: unknown key \"Leftt\""},
      {"90 close\n10 down 32768\n", ":2: unknown key \"32768\""},
      {"10 down\n90 close\n", ":1: missing key after down"},
      {"10\n90 close\n", ":1: missing action after the time (down, up, tap or close)"},
      {"10 tap Up Up\n90 close\n", ":1: unexpected \"Up\" after the key"},
      {"90 close now\n", ":1: close takes no key, found \"now\""},
      {"\n\n2147483648 close\n", ":3: time \"2147483648\" is out of range (0 to 2147483647)"},
      {"99999999999999999999999 close\n", ":1: time \"99999999999999999999999\" is out of range (0 to 2147483647)"},
      {"-10 close\n", ":1: time \"-10\" is not a number of milliseconds"},
      {"1e3 close\n", ":1: time \"1e3\" is not a number of milliseconds"},
      {"down Up\n", ":1: time \"down\" is not a number of milliseconds"},
      {"10 tap Up\n\x7f"
       "ELF\x02\x01\x01\0\0\0 \xff\xfe\n"s,
       ":2: time \"\\x7fELF\\x02\\x01\\x01\\x00\\x00\\x00\" is not a number of milliseconds"},
      {"", ": no close line and no --frames: the run would never end"},
      {"# nothing but a comment\n\n", ": no close line and no --frames: the run would never end"},
      {"10 down Right\n500 tap Up\n", ": no close line and no --frames: the run would never end"},
  };
  for (const auto& c : cases) {
    const std::string script = Write("bad.txt", c.text);
    EXPECT_EQ(Run("--trace " + Path("t.csv") + " " + script), 2) << c.text;
    EXPECT_EQ(err(), script + c.error + "\n") << c.text;
    EXPECT_FALSE(fs::exists(Path("t.csv"))) << "nothing runs before the script is read: " << c.text;
  }
  // A script with no close runs when --frames ends it.
  EXPECT_EQ(Run("--frames 5 " + Write("open.txt", "10 down Right\n")), 0) << err();
}

TEST_F(ReplayCli, RefusesAFileOverSixtyFourMegabytesUnread) {
  const std::string script = Path("big.txt");
  {
    std::ofstream out(script, std::ios::binary);
    const std::string line = "10 tap Right\n";
    for (std::size_t written = 0; written <= replay::kMaxScriptBytes; written += line.size()) out << line;
  }
  EXPECT_EQ(Run("--trace " + Path("t.csv") + " " + script), 2);
  EXPECT_EQ(err(), script + ": too large (over 64 MiB)\n");
  EXPECT_FALSE(fs::exists(Path("t.csv")));
}

TEST_F(ReplayCli, RefusesBadCommandLines) {
  const std::string script = Write("ok.txt", "10 close\n");
  const struct {
    std::string args;
    std::string first;
  } cases[] = {
      {"", "plinkard-replay: no script given"},
      {"--frames 2 --frames 3 " + script, "plinkard-replay: --frames given twice"},
      {"--frames 0 " + script, "plinkard-replay: --frames wants a whole number from 1 to 2147483647, not \"0\""},
      {"--frames x " + script, "plinkard-replay: --frames wants a whole number from 1 to 2147483647, not \"x\""},
      {script + " --trace", "plinkard-replay: --trace needs a value"},
      {"--speed 2 " + script, "plinkard-replay: unknown option --speed"},
      {script + " " + script, "plinkard-replay: more than one script given"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), 2) << c.args;
    EXPECT_EQ(err().substr(0, err().find('\n')), c.first);
  }
}

TEST_F(ReplayCli, ReportsFilesItCannotReadOrWrite) {
  EXPECT_EQ(Run(Path("missing.txt")), 1);
  EXPECT_EQ(err(), "plinkard-replay: " + Path("missing.txt") + ": can't read: No such file or directory\n");
  const std::string script = Write("ok.txt", "10 close\n");
  EXPECT_EQ(Run("--trace " + Path("no/such/dir.csv") + " " + script), 1);
  EXPECT_EQ(Run("--png " + Path("no/such/dir.png") + " " + script), 1);
}

// A full disk, for the trace or the picture: one line, status 1, and what the
// other file got is whole. Running on with the trace lost would waste the run.
TEST_F(ReplayCli, StopsAtAWriteThatFails) {
  const std::string full = "plinkard-replay: /dev/full: can't write: No space left on device\n";
  EXPECT_EQ(Run("--trace /dev/full --png " + Path("last.png") + " " + RoutePath("complete.txt")), 1);
  EXPECT_EQ(err(), full) << "the run ends before the door";
  EXPECT_FALSE(fs::exists(Path("last.png")));

  EXPECT_EQ(Run("--trace " + Path("t.csv") + " --png /dev/full " + RoutePath("walk.txt")), 1);
  EXPECT_EQ(err(), full);
  EXPECT_EQ(ReadFile(Path("t.csv")), ReadFile(std::string(PLINKARD_SOURCE_DIR) + "/tests/expected/walk.csv"));

  EXPECT_EQ(Run("--trace - " + RoutePath("walk.txt") + " >/dev/full"), 1);
  EXPECT_EQ(err(), "plinkard-replay: -: can't write: No space left on device\n");
}

// Recordings checked, described and turned into links: one line a file, and
// the worst file's status.
TEST_F(ReplayCli, VerifiesRecordingsSaysWhatTheyHoldAndLinksThem) {
  const replay::Script route = replay::ParseScript(ReadFile(RoutePath("complete.txt")), "complete.txt");
  std::string recording = replay::RecordingHeader("2026-12-10 12:00:00 +0000");
  for (const platform::ScriptedEvent& e : route.events) recording += replay::ScriptLine(e);
  recording += replay::ResultLines(replay::ResultOf(route.events, std::nullopt));
  const std::string good = Write("good.txt", recording);
  std::string moved = recording;
  moved.replace(moved.find("\n5500 "), 6, "\n5501 ");
  const std::string edited = Write("edited.txt", moved);
  const std::string killed = Write("killed.txt", recording.substr(0, recording.find("# frames")));
  const std::string out = Path("out.txt");

  EXPECT_EQ(Run("--verify " + good + " >" + out), 0) << err();
  EXPECT_EQ(ReadFile(out), good + ": verified: door at frame 1740 (17.40 s), 0 deaths\n");
  EXPECT_EQ(Run("--verify " + good + " " + edited + " " + killed + " >" + out), 1);
  EXPECT_EQ(ReadFile(out), good + ": verified: door at frame 1740 (17.40 s), 0 deaths\n" + edited +
                               ": differs from frame 501\n" + killed + ": unfinished: no result lines\n");
  EXPECT_EQ(Run("--verify " + good + " " + Path("missing.txt") + " " + Write("bad.txt", "10 jump\n") + " >" + out), 2);
  EXPECT_EQ(ReadFile(out), good + ": verified: door at frame 1740 (17.40 s), 0 deaths\n" + Path("missing.txt") +
                               ": can't read: No such file or directory\n" + Path("bad.txt") +
                               ":1: unknown action \"jump\" (down, up, tap or close)\n");

  EXPECT_EQ(Run("--info " + good + " >" + out), 0);
  EXPECT_EQ(ReadFile(out).substr(0, good.size() + 31), good + ": Plinkard recording 2, made by");
  EXPECT_NE(ReadFile(out).find("  door opened at frame 1740 (17.40 s), 0 deaths\n"), std::string::npos);

  EXPECT_EQ(Run("--link " + good + " >" + out), 0);
  EXPECT_EQ(ReadFile(out).substr(0, 5), "#run=");
  EXPECT_LT(ReadFile(out).size(), 2000u);

  for (const std::string& wrong : {std::string("--verify"), "--link " + good + " " + good,
                                   "--verify " + good + " --frames 3", "--info " + good + " --link " + good}) {
    EXPECT_EQ(Run(wrong), 2) << wrong;
  }
}

TEST_F(ReplayCli, APausedRunWithNothingLeftCanNeverEnd) {
  const std::string script = Write("pause.txt", "25 tap P\n");
  EXPECT_EQ(Run("--frames 100 --trace " + Path("t.csv") + " " + script), 3);
  EXPECT_EQ(err(), "plinkard-replay: the game is paused and no event is left to deliver: the run can never end\n");
  const std::string trace = ReadFile(Path("t.csv"));
  EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 4);  // the header and frames 1 to 3
}

}  // namespace
