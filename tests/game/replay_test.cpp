// Recording a run and playing it back gives the same run, frame for frame.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "app/fnv1a.hpp"
#include "app/state_report.hpp"
#include "app/replay.hpp"
#include "input/keyboard.hpp"
#include "test_support.hpp"

namespace {

using testing_support::HeadlessGame;

// Runs the whole game, full screen with the keyboard, through `platform` (a
// decorator over `game.platform`) for 400 idle calls, `input` acting before
// each; one hash of state and page per idle call.
std::vector<uint64_t> RunAndHash(HeadlessGame& game, platform::Platform& platform,
                                 const std::function<void(int64_t)>& input) {
  AppOptions options;
  options.fullScreen = 1;
  options.keyboard = 1;
  options.dataDir = (game.dir / "data").string();
  options.saveScores = false;
  CGameApp app(platform, options, BuiltinResources());
  std::vector<uint64_t> hashes;
  game.platform.idleLimit = 400;
  game.platform.beforeIdle = [&](int64_t call) {
    if (call > 1) hashes.push_back(HashPlayState(app.m_play) ^ Fnv1a(game.platform.LastPage()));
    input(call);
  };
  app.Run();
  return hashes;
}

TEST(Replay, RecordedRunPlaysBackFrameForFrame) {
  HeadlessGame live(testing_support::RepoDataDir());
  const auto path = (live.dir / "run.krp").string();
  RecordingPlatform recorder(live.platform, path);
  // A player: a click on the title, then moving, firing and a bomb in turns.
  const auto player = [&](int64_t call) {
    if (call == 20) live.platform.QueueLeftClick();
    const std::vector<std::vector<uint8_t>> moves = {
        {VK_SPACE, VK_LEFT}, {VK_SPACE, VK_UP}, {VK_RIGHT}, {VK_SHIFT, VK_DOWN}, {}};
    live.platform.HoldKeys(call < 20 ? std::vector<uint8_t>{} : moves[static_cast<size_t>(call / 37) % moves.size()]);
  };
  const std::vector<uint64_t> recorded = RunAndHash(live, recorder, player);
  ASSERT_TRUE(recorder.Saved());
  ASSERT_FALSE(recorded.empty());
  EXPECT_NE(recorded.front(), recorded.back()) << "the hashes follow the run";

  Replay replay;
  std::string error;
  ASSERT_TRUE(LoadReplay(path, replay, error)) << error;
  EXPECT_EQ(replay.fullScreen, 1);
  EXPECT_EQ(replay.keyboard, 1);
  EXPECT_EQ(replay.script.Length(), 400);

  HeadlessGame again(testing_support::RepoDataDir());
  ReplayingPlatform player2(again.platform, replay.script);
  again.platform.HoldKeys({VK_LEFT});  // live input is ignored while replaying
  std::vector<uint64_t> pages;  // after each idle call from the first on
  const auto notePage = [&pages](HeadlessGame& game) {
    return [&pages, &game](int64_t call) {
      if (call > 1) pages.push_back(Fnv1a(game.platform.LastPage()));
    };
  };
  const std::vector<uint64_t> replayed = RunAndHash(again, player2, notePage(again));
  ASSERT_EQ(replayed.size(), recorded.size());
  EXPECT_EQ(replayed, recorded);

  // Watched from call 101 on (--seek), the same pages from there to the end.
  const std::vector<uint64_t> straight = std::exchange(pages, {});
  HeadlessGame watched(testing_support::RepoDataDir());
  platform::HeadlessPlatform offscreen;
  watched.platform.idleLimit = 300;
  watched.platform.beforeIdle = notePage(watched);
  AppOptions options;
  options.dataDir = (watched.dir / "data").string();
  options.saveScores = false;
  WatchReplay(watched.platform, offscreen, replay, options, 100);
  EXPECT_EQ(pages, std::vector<uint64_t>(straight.begin() + 100, straight.end()));
}

TEST(Replay, FileRoundTripsAndBadFilesNameTheLine) {
  Replay replay;
  replay.fullScreen = 0;
  replay.keyboard = 0;
  replay.script.Append({}, false);
  replay.script.Append({}, false);
  replay.script.Append({VK_SPACE}, true);
  replay.script.Append({VK_SPACE}, false);
  EXPECT_EQ(replay.Text(), "kestrova-replay 1 window joystick\n2 none\n1 space+click\n1 space\n");
  Replay back;
  bool isReplay = false;
  std::string error;
  ASSERT_TRUE(ParseReplay(replay.Text(), "r", back, isReplay, error)) << error;
  EXPECT_TRUE(isReplay);
  EXPECT_EQ(back.Text(), replay.Text());

  const struct {
    const char* text;
    const char* where;
  } bad[] = {
      {"kestrova-replay 2 window keyboard\n1 none\n", "r:1:"},
      {"kestrova-replay 1 sideways keyboard\n", "r:1:"},
      {"kestrova-replay 1 window keyboard extra\n", "r:1:"},
      {"kestrova-replay 1 window keyboard\n1 none\n# fine\n3 space+jump\n", "r:4:"},
      {"kestrova-replay 1 window keyboard\n1 none\n2", "r:3:"},  // cut off mid-line
  };
  for (const auto& c : bad) {
    EXPECT_FALSE(ParseReplay(c.text, "r", back, isReplay, error)) << c.text;
    EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
  }
  EXPECT_FALSE(LoadReplay("/nonexistent/run.krp", back, error));
}

}  // namespace
