// The play state is a value: two games run side by side in one process, and a
// snapshot restored, into the same game or a fresh one, plays on exactly.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/replay.hpp"
#include "platform/headless/scripted_game.hpp"
#include "test_support.hpp"

namespace {

const std::string kSourceDir = KESTROVA_SOURCE_DIR;
const std::string kScripts[] = {kSourceDir + "/tests/scripts/smoke.txt", kSourceDir + "/tests/scripts/memcheck.txt"};
constexpr int64_t kFrames = 700;

AppOptions SimOptions() {
  AppOptions options;
  options.fullScreen = 0;
  options.keyboard = 1;
  options.dataDir = testing_support::RepoDataDir().string();
  options.saveScores = false;
  return options;
}

InputScript Script(const std::string& path) {
  Replay replay;
  std::string error;
  EXPECT_TRUE(LoadReplay(path, replay, error)) << error;
  return replay.script;
}

std::string SimOutput(const std::string& script) {
  const testing_support::SimRun run =
      testing_support::RunSim("--frames " + std::to_string(kFrames) + " --input " + script);
  EXPECT_EQ(run.status, 0) << script;
  return run.output;
}

// The idle calls of `game` up to call `to`, and their lines.
std::string Play(platform::ScriptedGame& game, int64_t to) {
  std::string lines;
  while (game.input.Calls() < to && game.Step()) lines += game.LastLine();
  return lines;
}

TEST(PlayState, TwoGamesInterleavedPlayEachAsAloneInTheSimulator) {
  platform::HeadlessPlatform platforms[2];
  platform::ScriptedGame first(platforms[0], SimOptions(), Script(kScripts[0]));
  platform::ScriptedGame second(platforms[1], SimOptions(), Script(kScripts[1]));
  ASSERT_TRUE(first.Start() && second.Start());
  std::string lines[2];
  for (int64_t call = 1; call <= kFrames; ++call) {
    lines[0] += Play(first, call);
    lines[1] += Play(second, call);
  }
  EXPECT_EQ(lines[0], SimOutput(kScripts[0]));
  EXPECT_EQ(lines[1], SimOutput(kScripts[1]));
}

TEST(PlayState, SnapshotsRestoreIntoTheSameGameOrAFreshOne) {
  constexpr int64_t kSaved = 150, kEnd = 400;  // shots, bombs and enemies about at the snapshot
  platform::HeadlessPlatform platform;
  platform::ScriptedGame game(platform, SimOptions(), Script(kScripts[0]));
  ASSERT_TRUE(game.Start());
  Play(game, kSaved);
  const Snapshot saved = game.game.SaveSnapshot();
  ASSERT_FALSE(saved.play.mainList.Empty());
  const std::string onward = Play(game, kEnd);

  game.game.RestoreSnapshot(saved);
  game.input.SkipTo(kSaved);
  EXPECT_EQ(Play(game, kEnd), onward) << "restored into the game it came from";

  // What --seek does: played ahead on one platform, shown on another.
  platform::HeadlessPlatform offscreen, shown;
  Replay replay;
  replay.script = Script(kScripts[0]);
  const std::optional<Snapshot> ahead = PlayAhead(offscreen, replay, SimOptions(), kSaved);
  ASSERT_TRUE(ahead.has_value());
  platform::ScriptedGame fresh(shown, SimOptions(), Script(kScripts[0]));
  ASSERT_TRUE(fresh.Start());
  fresh.game.RestoreSnapshot(*ahead);
  fresh.input.SkipTo(kSaved);
  EXPECT_EQ(Play(fresh, kEnd), onward) << "restored into a fresh game";
}

}  // namespace
