// The play state is a value: two games run side by side in one process, and a
// snapshot restored, into the same game or a fresh one, plays on exactly.
#include <gtest/gtest.h>

#include <string>

#include "app/state_report.hpp"
#include "test_support.hpp"

namespace {

using testing_support::CommittedReplay;
using testing_support::StartedCore;

const std::string kScripts[] = {"tests/scripts/smoke.krp", "tests/scripts/memcheck.krp"};
constexpr int64_t kFrames = 700;

// The frames of `replay` after frame `from` up to frame `to`, and their lines.
std::string Play(Core& core, const Replay& replay, int64_t from, int64_t to) {
  std::string lines;
  for (int64_t frame = from + 1; frame <= to; ++frame) {
    const FrameOutput out = core.Step(replay.script.InputAt(frame));
    lines += FrameLine(frame, out.screen, out.page, core.State());
  }
  return lines;
}

TEST(PlayState, TwoGamesInterleavedPlayEachAsAloneInTheSimulator) {
  const Replay replays[2] = {CommittedReplay(kScripts[0]), CommittedReplay(kScripts[1])};
  Core games[2] = {StartedCore(replays[0].Choices()), StartedCore(replays[1].Choices())};
  std::string lines[2];
  for (int64_t frame = 0; frame < kFrames; ++frame) {
    for (int i = 0; i < 2; ++i) lines[i] += Play(games[i], replays[i], frame, frame + 1);
  }
  for (int i = 0; i < 2; ++i) {
    const std::string input = std::string(" --input " KESTROVA_SOURCE_DIR "/") + kScripts[i];
    const testing_support::SimRun run = testing_support::RunSim("--frames " + std::to_string(kFrames) + input);
    EXPECT_EQ(run.status, 0) << kScripts[i];
    EXPECT_EQ(lines[i], run.output) << kScripts[i];
  }
}

TEST(PlayState, SnapshotsRestoreIntoTheSameGameOrAFreshOne) {
  constexpr int64_t kSaved = 150, kEnd = 400;  // shots, bombs and enemies about at the snapshot
  const Replay replay = CommittedReplay(kScripts[0]);
  Core game = StartedCore(replay.Choices());
  Play(game, replay, 0, kSaved);
  const PlayState saved = game.State();
  ASSERT_FALSE(saved.mainList.Empty());
  const std::string onward = Play(game, replay, kSaved, kEnd);

  game.Restore(saved);
  EXPECT_EQ(Play(game, replay, kSaved, kEnd), onward) << "restored into the game it came from";
  Core fresh = StartedCore(replay.Choices());
  fresh.Restore(saved);
  EXPECT_EQ(Play(fresh, replay, kSaved, kEnd), onward) << "restored into a fresh game";
}

}  // namespace
