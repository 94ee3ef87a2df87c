// Files a run writes as it goes, on a full disk: the run ends at the first
// write that fails, closing the file says so once, and the run's other file
// keeps everything written to it.
#include "replay/output_file.h"

#include <gtest/gtest.h>

#include <string>

#include "app/recorder.h"
#include "live_runs.h"
#include "platform/keys.h"

namespace {

constexpr const char* kFull = "test: /dev/full: can't write: No space left on device\n";

TEST(OutputFile, SaysOnceWhyWhatWasWrittenWasLost) {
  replay::OutputFile file("test");
  ASSERT_TRUE(file.Open("/dev/full"));
  EXPECT_TRUE(file.Write("a line, held back\n"));
  EXPECT_FALSE(file.Flush());
  EXPECT_FALSE(file.Write("more\n"));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.Close());
  EXPECT_TRUE(file.Close()) << "closed already";
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), kFull);
}

TEST(OutputFile, ATraceThatCantBeWrittenEndsTheReplay) {
  replay::OutputFile trace("test");
  ASSERT_TRUE(trace.Open("/dev/full"));
  replay::HeadlessGame run(replay::ParseScript(RouteText("complete.txt"), "complete.txt").events);
  const replay::Outcome outcome = replay::Replay(run, std::nullopt, replay::WriteAsItGoes(&trace, true, nullptr));
  EXPECT_EQ(outcome.frames, 1);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(trace.Close());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), kFull);
}

// A recording that can't be written ends the game at the next frame, and the
// trace written beside it keeps every frame drawn.
TEST(OutputFile, ARecordingThatCantBeWrittenEndsTheGame) {
  replay::OutputFile script("test");
  ASSERT_TRUE(script.Open("/dev/full"));
  LiveWindow real({{5, 1, {Press(vk::Right)}}, {50, 1, {CloseWindow()}}});
  LiveRun live;
  RunToClose<RecordingWindow>(real, {}, &script, live.Observer());
  EXPECT_EQ(live.rows.size(), 0u) << "ended at the first frame's present";
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(script.Close());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), kFull);
}

TEST(OutputFile, ATraceThatCantBeWrittenEndsTheGameAndTheRecordingKeepsItsEvents) {
  const std::string path = ::testing::TempDir() + "plinkard-kept-recording.txt";
  replay::OutputFile script("test"), trace("test");
  ASSERT_TRUE(script.Open(path));
  ASSERT_TRUE(trace.Open("/dev/full"));
  LiveWindow real({{1, 1, {Press(vk::Right)}}, {50, 1, {CloseWindow()}}});
  RunToClose<RecordingWindow>(real, {}, &script, replay::WriteAsItGoes(&trace, true, nullptr));
  EXPECT_TRUE(script.Close());
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(trace.Close());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), kFull);
  const std::string recorded = ReadFile(path);
  EXPECT_NE(recorded.find("# Plinkard recording "), std::string::npos);
  EXPECT_EQ(recorded.find("close"), std::string::npos) << "the game ended at frame 1, not with a close";
  std::remove(path.c_str());
}

}  // namespace
