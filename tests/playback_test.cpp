// Playing a script back in the window: the frames are the replay's, however
// late the live frames come, however long the viewer holds the playback with
// P, and whatever else the viewer presses.
#include "app/playback.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "live_runs.h"
#include "platform/keys.h"

namespace {

struct Played {
  LiveRun live;
  int undelivered = 0;
};

Played Play(const std::string& script, std::vector<LiveMoment> viewer = {}) {
  LiveWindow real(std::move(viewer));
  Played played;
  RunToClose<PlaybackWindow>(real, {}, replay::ParseScript(script, "script").events, played.live.Observer());
  played.undelivered = real.Undelivered();
  return played;
}

TEST(Playback, ShowsTheReplaysFramesEvenWhenFramesComeLate) {
  for (const char* name : {"complete.txt", "pause.txt", "deaths.txt"}) {
    SCOPED_TRACE(name);
    const std::string script = RouteText(name);
    EXPECT_EQ(Play(script).live.rows, ReplayRows(script));
  }
}

TEST(Playback, APauseLastsAsLongAsOnTheReplaysClock) {
  // Frame 20 holds paused from 190 to 2000; frame 21 starts at 2001.
  const Played played = Play(RouteText("pause.txt"));
  const std::int64_t held = played.live.ticks[20] - played.live.ticks[19];
  EXPECT_GE(held, 2001 - 190);
  EXPECT_LE(held, 2001 - 190 + 10);
}

TEST(Playback, TheViewersPauseHoldsThePlaybackAndChangesNothing) {
  using namespace vk;
  // On the walk: P between two frames and P again, with the other keys
  // pressed meanwhile; a pause and resume in one pump; then the viewer closes.
  const std::string complete = RouteText("complete.txt");
  const Played walk = Play(complete, {{100, 2, {Press(P), Release(P)}},
                                      {100, 10, {Press(Left), Press(Up), Press(Space), Press(Ctrl)}},
                                      {100, 12, {Release(Left), Release(Up), Release(Space), Release(Ctrl)}},
                                      {100, 30, {Press(P)}},
                                      {500, 1, {Press(P), Press(P)}},
                                      {900, 1, {CloseWindow()}}});
  EXPECT_EQ(walk.undelivered, 0);
  EXPECT_EQ(walk.live.rows, ReplayRows(complete, 900));

  // Around the script's own pause: the viewer's P just before it, and during
  // it (the script's P still resumes the game, after the viewer's hold).
  const std::string pause = RouteText("pause.txt");
  const Played held =
      Play(pause, {{18, 2, {Press(P)}}, {18, 20, {Press(P)}}, {19, 100, {Press(P)}}, {19, 400, {Press(P)}}});
  EXPECT_EQ(held.undelivered, 0);
  EXPECT_EQ(held.live.rows, ReplayRows(pause));
  EXPECT_GT(held.live.ticks[20] - held.live.ticks[19], 2001 - 190 + 1000);
}

TEST(Playback, AScriptWithoutACloseLeavesTheGameToTheViewer) {
  // Once the script has nothing left, P is the game's own again.
  const std::string script = "10 down Right\n500 up Right\n";
  const Played played = Play(script, {{60, 1, {Press(vk::P)}}, {60, 10, {Press(vk::P)}}, {80, 1, {CloseWindow()}}});
  EXPECT_EQ(played.undelivered, 0);
  EXPECT_EQ(played.live.rows, ReplayRows(script, 80));
}

}  // namespace
