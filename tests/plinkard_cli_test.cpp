// plinkard's --record, --trace and --play refused before the window opens: a
// bad command line (status 2, the line and the usage), a file that can't be
// read or created (status 1, one line), a bad script (status 2, its line). The
// runs have no display, so a window that did open would fail differently.
#include <gtest/gtest.h>

#include <string>

#include "program_run.h"

namespace {

class PlinkardCli : public ProgramRun {
 protected:
  int Run(const std::string& args) { return RunProgram("plinkard", args, "env -u DISPLAY -u WAYLAND_DISPLAY"); }
  static std::string Usage() {
    return "usage: plinkard [--fullscreen | --window] [--scale N|auto]\n"
           "                [--record FILE | --play FILE] [--trace FILE] [--timer]\n"
           "                [--ghost FILE|best] [--speed PERCENT] [--livesplit [HOST:]PORT]\n"
           "                [--import-best FILE] [--help] [--version]\n";
  }
};

TEST_F(PlinkardCli, RefusesBadCommandLines) {
  const std::string script = Write("run.txt", "10 down Right\n90 close\n");
  const struct {
    std::string args;
    std::string error;
  } cases[] = {
      {"--record", "--record needs a file"},
      {"--trace a.csv --trace b.csv", "--trace given twice"},
      {"--record r.txt --play " + script, "--record and --play can't go together"},
      {"--play " + script + " --trace " + script, "--trace names the same file as --play"},
      {"--record " + Path("r.txt") + " --trace " + Path("./r.txt"), "--trace names the same file as --record"},
      {"--record - --trace -", "--trace names the same file as --record"},
      {"--livesplit 70000", "--livesplit wants [HOST:]PORT, such as 16834 or 192.168.1.20:16834, not \"70000\""},
      {"--livesplit", "--livesplit needs [HOST:]PORT"},
      {"--fast", "unknown argument --fast"},
      {script, "unknown argument " + script},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), 2) << c.args;
    EXPECT_EQ(err(), "plinkard: " + c.error + "\n" + Usage()) << c.args;
  }
  EXPECT_EQ(ReadFile(script), "10 down Right\n90 close\n");
  EXPECT_FALSE(std::filesystem::exists(Path("r.txt")));
}

TEST_F(PlinkardCli, RefusesFilesItCannotReadOrCreateAndBadScripts) {
  const std::string ok = Write("ok.txt", "90 close\n");
  EXPECT_EQ(Run("--record " + Path("no/such/r.txt")), 1);
  EXPECT_EQ(err(), "plinkard: " + Path("no/such/r.txt") + ": can't write: No such file or directory\n");
  EXPECT_EQ(Run("--play " + ok + " --trace " + Path("no/such/t.csv")), 1);
  EXPECT_EQ(err(), "plinkard: " + Path("no/such/t.csv") + ": can't write: No such file or directory\n");
  EXPECT_EQ(Run("--play " + Path("missing.txt")), 1);
  EXPECT_EQ(err(), "plinkard: " + Path("missing.txt") + ": can't read: No such file or directory\n");

  const std::string bad = Write("bad.txt", "10 down Right\n20 down Sapce\n");
  EXPECT_EQ(Run("--play " + bad + " --trace " + Path("t.csv")), 2);
  EXPECT_EQ(err(), bad + ":2: unknown key \"Sapce\"\n");
  EXPECT_FALSE(std::filesystem::exists(Path("t.csv")));
}

// --import-best keeps a run that verifies and beats the best, in
// $XDG_DATA_HOME/plinkard, and refuses an edited one with nothing changed.
TEST_F(PlinkardCli, ImportsABestThatVerifiesAndRefusesAnEditedOne) {
  const std::string data = Path("data"), best = data + "/plinkard/best.txt";
  const auto import = [&](const std::string& file) {
    return RunProgram("plinkard", "--import-best " + file + " >" + Path("stdout"), "env XDG_DATA_HOME=" + data);
  };
  const std::string run = ReadFile(std::string(PLINKARD_SOURCE_DIR) + "/tests/runs/finished-level.txt");
  std::string edited = run;
  edited.replace(edited.find("down Up"), 7, "down Dn");
  edited.replace(edited.find("down Dn"), 7, "down Down");
  const std::string editedFile = Write("edited.txt", edited);
  EXPECT_EQ(import(editedFile), 1);
  EXPECT_EQ(err().rfind("plinkard: " + editedFile + ": differs from frame ", 0), 0u) << err();
  EXPECT_FALSE(std::filesystem::exists(best));

  const std::string runFile = Write("run.txt", run);
  EXPECT_EQ(import(runFile), 0);
  EXPECT_EQ(ReadFile(Path("stdout")), runFile + ": kept as the best (" + best + "). New best: 0:17.86\n");
  EXPECT_EQ(ReadFile(best), run);
  EXPECT_EQ(import(runFile), 0);
  EXPECT_EQ(ReadFile(Path("stdout")), runFile + ": not kept: 0:17.86 does not beat the best, 0:17.86\n");
  EXPECT_EQ(import(editedFile), 1);
  EXPECT_EQ(ReadFile(best), run);
  EXPECT_EQ(import(Path("missing.txt")), 1);
  EXPECT_EQ(err(), "plinkard: " + Path("missing.txt") + ": can't read: No such file or directory\n");
}

}  // namespace
