#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLine Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "plinkard");
  return ParseCommandLine(int(args.size()), args.data());
}

TEST(CommandLine, OptionsTakeTheirValuesEitherWay) {
  EXPECT_EQ(Parse({}).options.view.scale, std::nullopt);
  EXPECT_FALSE(Parse({}).options.view.fullscreen);
  EXPECT_EQ(Parse({"--scale", "3"}).options.view.scale, 3);
  EXPECT_EQ(Parse({"--scale=8"}).options.view.scale, 8);
  EXPECT_EQ(Parse({"--scale", "auto"}).options.view.scale, platform::kScaleToFit);
  // The later of --fullscreen and --window wins.
  EXPECT_TRUE(Parse({"--window", "--fullscreen"}).options.view.fullscreen);
  EXPECT_FALSE(Parse({"--fullscreen", "--window"}).options.view.fullscreen);
  EXPECT_TRUE(Parse({"--version", "--help"}).options.help);
  EXPECT_EQ(Parse({"--record=run.txt", "--scale", "2"}).options.run.record, "run.txt");
  EXPECT_EQ(Parse({"--play", "-", "--fullscreen"}).options.run.play, "-");
  // Read from standard input, written to standard output: two streams, no clash.
  EXPECT_EQ(Parse({"--play", "-", "--trace", "-"}).error, "");
  EXPECT_EQ(Parse({"--speed", "50"}).options.race.speed, 50);
  EXPECT_EQ(Parse({"--speed=25%"}).options.race.speed, 25);
  EXPECT_EQ(Parse({}).options.race.speed, 100);
  EXPECT_EQ(Parse({"--ghost", "best", "--timer"}).options.race.ghost, "best");
  EXPECT_TRUE(Parse({"--timer"}).options.race.timer);
  EXPECT_EQ(Parse({"--import-best", "run.txt"}).options.importBest, "run.txt");
  EXPECT_EQ(Parse({}).options.run.livesplit, std::nullopt);
  EXPECT_EQ(Parse({"--livesplit", "16834"}).options.run.livesplit, (LiveSplitAddress{"127.0.0.1", 16834}));
  EXPECT_EQ(Parse({"--livesplit=[::1]:9000", "--play", "-"}).options.run.livesplit, (LiveSplitAddress{"::1", 9000}));
}

TEST(CommandLine, EveryMistakeIsOneLineNamingIt) {
  EXPECT_EQ(Parse({"--scale", "9"}).error, "--scale wants a whole number from 1 to 8, or auto, not \"9\"");
  for (const char* bad : {"0", "-1", "2x", "", "1.5", "+2", "auto2"}) {
    EXPECT_NE(Parse({"--scale", bad}).error, "") << bad;
  }
  EXPECT_EQ(Parse({"--scale"}).error, "--scale needs a whole number from 1 to 8, or auto");
  EXPECT_EQ(Parse({"--livesplit", "localhost"}).error,
            "--livesplit wants [HOST:]PORT, such as 16834 or 192.168.1.20:16834, not \"localhost\"");
  EXPECT_EQ(Parse({"--livesplit"}).error, "--livesplit needs [HOST:]PORT");
  EXPECT_EQ(Parse({"--fullscreen=yes"}).error, "--fullscreen takes no value");
  EXPECT_EQ(Parse({"--full"}).error, "unknown argument --full");
  EXPECT_EQ(Parse({"-h"}).error, "unknown argument -h");
  EXPECT_EQ(Parse({"level.txt"}).error, "unknown argument level.txt");
  for (const char* bad : {"75", "0", "100.0", "", "fast", "200"}) {
    EXPECT_EQ(Parse({"--speed", bad}).error, "--speed wants 100, 50 or 25, not \"" + std::string(bad) + "\"");
  }
  EXPECT_EQ(Parse({"--ghost", "a.txt", "--ghost", "b.txt"}).error, "--ghost given twice");
  EXPECT_EQ(Parse({"--ghost", "-", "--play", "-"}).error, "--ghost and --play can't both read standard input");
  // The first mistake stops the reading.
  EXPECT_EQ(Parse({"--bad", "--scale", "0"}).error, "unknown argument --bad");
}

TEST(CommandLine, TheUsageAndTheHelpListEveryOption) {
  EXPECT_EQ(Usage(),
            "usage: plinkard [--fullscreen | --window] [--scale N|auto]\n"
            "                [--record FILE | --play FILE] [--trace FILE] [--timer]\n"
            "                [--ghost FILE|best] [--speed PERCENT] [--livesplit [HOST:]PORT]\n"
            "                [--import-best FILE] [--help] [--version]\n");
  const std::string help = Help();
  EXPECT_EQ(help.rfind(Usage(), 0), 0u);
  for (const char* mention :
       {"  --fullscreen ", "  --window ", "  --scale N|auto ", "  --record FILE ", "  --play FILE ", "  --trace FILE ",
        "  --help ", "  --version ", "  --timer ", "  --ghost FILE|best ", "  --speed PERCENT ",
        "  --livesplit [HOST:]PORT ", "  --import-best FILE ", "F11, Alt+Enter", "Start", "\n  I ", "\n  J ", "\n  O ",
        "\n  K "}) {
    EXPECT_NE(help.find(mention), std::string::npos) << mention;
  }
}

}  // namespace
