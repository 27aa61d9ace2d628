// The play state is a value: two games run side by side in one process, and a
// snapshot restored, into the same game or another, plays on exactly.
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

TEST(PlayState, TwoGamesInterleavedPlayAsAloneAndASnapshotPlaysOnInWhicheverGameTakesIt) {
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

  // Taken from a third game, restored into it, into one of the same run long
  // past the snapshot, and into one of the other run.
  constexpr int64_t kSaved = 150, kEnd = 400;  // shots, bombs and enemies about at the snapshot
  Core origin = StartedCore(replays[0].Choices());
  Play(origin, replays[0], 0, kSaved);
  const PlayState saved = origin.State();
  ASSERT_FALSE(saved.mainList.Empty());
  const std::string onward = Play(origin, replays[0], kSaved, kEnd);
  Core* const takers[] = {&origin, &games[0], &games[1]};
  for (size_t t = 0; t < std::size(takers); ++t) {
    takers[t]->Restore(saved);
    EXPECT_EQ(Play(*takers[t], replays[0], kSaved, kEnd), onward) << "restored into taker " << t;
  }
}

}  // namespace
