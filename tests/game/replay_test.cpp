// Recording a run and playing it back gives the same run, frame for frame.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "app/fnv1a.hpp"
#include "app/state_report.hpp"
#include "app/replay.hpp"
#include "input/keyboard.hpp"
#include "platform/headless/scripted_game.hpp"
#include "test_support.hpp"

namespace {

using testing_support::HeadlessGame;

// Runs the whole game, full screen with the joystick chosen, through
// `platform` (a decorator over `game.platform`) for 400 idle calls, `input`
// acting before each; one hash of state and page per idle call.
std::vector<uint64_t> RunAndHash(HeadlessGame& game, platform::Platform& platform,
                                 const std::function<void(int64_t)>& input) {
  AppOptions options;
  options.fullScreen = 1;
  options.keyboard = 0;
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

TEST(Replay, ARecordedRunWithKeysAndJoystickPlaysBackFrameForFrameAndSavesNothing) {
  HeadlessGame live(testing_support::RepoDataDir());
  const auto path = (live.dir / "run.krp").string();
  RecordingPlatform recorder(live.platform, path);
  // A player: a click on the title, then moving, firing and a bomb in turns,
  // with the stick and its buttons; the stick unplugged for a while.
  live.platform.SetJoystick(platform::JoyInfo{32768, 32768, 0, 0});
  const auto player = [&](int64_t call) {
    if (call == 20) live.platform.QueueLeftClick();
    const std::vector<std::vector<uint8_t>> moves = {{VK_SPACE, VK_LEFT}, {VK_UP}, {VK_RIGHT}, {VK_SHIFT}, {}};
    live.platform.HoldKeys(call < 20 ? std::vector<uint8_t>{} : moves[static_cast<size_t>(call / 37) % moves.size()]);
    const auto turn = static_cast<uint32_t>(call / 23);
    if (call > 20) live.platform.SetJoystick(platform::JoyInfo{turn * 9000 % 65536, 65535 - turn * 7000 % 65536, 0, turn % 4});
    if (call > 300 && call < 330) live.platform.SetJoystick(std::nullopt);
  };
  const std::vector<uint64_t> recorded = RunAndHash(live, recorder, player);
  ASSERT_TRUE(recorder.Saved());
  ASSERT_FALSE(recorded.empty());
  EXPECT_NE(recorded.front(), recorded.back()) << "the hashes follow the run";

  Replay replay;
  std::string error;
  ASSERT_TRUE(LoadReplay(path, replay, error)) << error;
  EXPECT_TRUE(replay.fullScreen == 1 && replay.keyboard == 0 && replay.script.joystick);
  EXPECT_EQ(replay.script.Length(), 400);

  // In the game, whatever the live keyboard and stick do meanwhile.
  HeadlessGame again(testing_support::RepoDataDir());
  ReplayingPlatform player2(again.platform, replay.script);
  again.platform.HoldKeys({VK_LEFT});
  again.platform.SetJoystick(platform::JoyInfo{0, 0, 0, 1});
  std::vector<uint64_t> pages;  // after each idle call from the first on
  const auto notePage = [&pages](HeadlessGame& game) {
    return [&pages, &game](int64_t call) {
      if (call > 1) pages.push_back(Fnv1a(game.platform.LastPage()));
    };
  };
  EXPECT_EQ(RunAndHash(again, player2, notePage(again)), recorded);
  EXPECT_EQ(again.platform.WindowTitle(), "Kestrova App (replay)");

  // In kestrova-sim's driver.
  platform::HeadlessPlatform headless;
  AppOptions simOptions;
  simOptions.fullScreen = 1;
  simOptions.keyboard = 0;
  simOptions.dataDir = testing_support::RepoDataDir().string();
  simOptions.saveScores = false;
  platform::ScriptedGame sim(headless, simOptions, replay.script);
  ASSERT_TRUE(sim.Start());
  std::vector<uint64_t> simulated;
  while (sim.input.Calls() < 399 && sim.Step()) {
    simulated.push_back(HashPlayState(sim.game.m_play) ^ Fnv1a(sim.input.LastPage()));
  }
  EXPECT_EQ(simulated, recorded);

  // Watched from call 101 on (--seek): the same pages from there to the end,
  // and the watcher's score file as it was.
  const std::vector<uint64_t> straight = std::exchange(pages, {});
  HeadlessGame watched(testing_support::RepoDataDir());
  const auto scores = watched.dir / "data" / "score.dat";
  testing_support::WriteFile(scores, testing_support::ScoreFileText({42}));
  platform::HeadlessPlatform offscreen;
  watched.platform.idleLimit = 300;
  watched.platform.beforeIdle = notePage(watched);
  AppOptions options;
  options.dataDir = (watched.dir / "data").string();
  WatchReplay(watched.platform, offscreen, replay, options, 100);
  EXPECT_EQ(pages, std::vector<uint64_t>(straight.begin() + 100, straight.end()));
  EXPECT_EQ(testing_support::ReadFile(scores), testing_support::ScoreFileText({42}));
}

TEST(Replay, FileRoundTripsAndBadFilesNameTheLine) {
  Replay replay;
  replay.keyboard = 0;
  replay.script.Append({}, false);
  replay.script.Append({}, false);
  replay.script.Append({VK_SPACE}, true);
  replay.script.Append({VK_SPACE}, false);
  EXPECT_EQ(replay.Text(), "kestrova-replay 2 window joystick none\n2 none\n1 space+click\n1 space\n");
  // With a joystick: its limits, and each run's reading; a reading that changes starts a run.
  Replay stick = replay;
  stick.script = InputScript{{}, platform::JoyCaps{0, 65535, 10, 65000}};
  stick.script.Append({}, false, JoyReading{true, 1, 65535, 3});
  stick.script.Append({}, false, JoyReading{true, 1, 65535, 3});
  stick.script.Append({}, false, JoyReading{});
  stick.script.Append({VK_LEFT}, false, JoyReading{true, 4294967295u, 0, 0});
  EXPECT_EQ(stick.Text(), "kestrova-replay 2 window joystick 0 65535 10 65000\n2 none 1,65535,3\n1 none unplugged\n"
                          "1 left 4294967295,0,0\n");
  Replay back;
  bool isReplay = false;
  std::string error;
  for (const Replay* original : {&replay, &stick}) {
    ASSERT_TRUE(ParseReplay(original->Text(), "r", back, isReplay, error)) << error;
    EXPECT_TRUE(isReplay);
    EXPECT_EQ(back.Text(), original->Text());
  }
  // Format 1, without the joystick, still reads.
  ASSERT_TRUE(ParseReplay("kestrova-replay 1 fullscreen joystick\n5 up\n", "r", back, isReplay, error)) << error;
  EXPECT_TRUE(back.fullScreen == 1 && back.keyboard == 0 && !back.script.joystick && back.script.Length() == 5);

  const struct {
    const char* text;
    const char* where;
  } bad[] = {
      {"kestrova-replay 3 window keyboard\n1 none\n", "r:1:"},
      {"kestrova-replay 1 sideways keyboard\n", "r:1:"},
      {"kestrova-replay 1 window keyboard extra\n", "r:1:"},
      {"kestrova-replay 2 window joystick 0 65535 0\n", "r:1:"},
      {"kestrova-replay 2 window joystick 0 65535 0 4294967296\n", "r:1:"},
      {"kestrova-replay 1 window keyboard\n1 none\n# fine\n3 space+jump\n", "r:4:"},
      {"kestrova-replay 1 window keyboard\n1 none\n2", "r:3:"},  // cut off mid-line
      {"kestrova-replay 2 window keyboard\n1 none 1,2,3\n", "r:2:"},  // no joystick, no readings
      {"kestrova-replay 2 window joystick none\n1 none 1,2,3\n", "r:2:"},
      {"kestrova-replay 2 window joystick 0 1 0 1\n1 none\n", "r:2:"},  // a reading on every line
      {"kestrova-replay 2 window joystick 0 1 0 1\n1 none 1,2\n", "r:2:"},
      {"kestrova-replay 2 window joystick 0 1 0 1\n1 none 1,2,3,4\n", "r:2:"},
      {"kestrova-replay 2 window joystick 0 1 0 1\n1 none -1,2,3\n", "r:2:"},
  };
  for (const auto& c : bad) {
    EXPECT_FALSE(ParseReplay(c.text, "r", back, isReplay, error)) << c.text;
    EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
  }
  EXPECT_FALSE(LoadReplay("/nonexistent/run.krp", back, error));
}

}  // namespace
