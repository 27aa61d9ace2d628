// A long run with random (seeded) input that plays the stage again and again
// and never confirms the exit query: the object lists stay bounded, the stage
// keeps coming round, and a second run with the same seed goes through exactly
// the same frames. Leaks show when the process ends (the sanitized build
// checks for them).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "input/keyboard.hpp"
#include "play_fixture.hpp"

namespace {

constexpr int64_t kFrames = 100000;
// Far above what the stage has alive at once (about 150 objects and 5 parts),
// far below what objects that are never freed would pile up to over the run.
constexpr size_t kMaxObjects = 1000, kMaxParts = 200;

struct RunSummary {
  std::string lines;  // every 1000th frame's line
  size_t mostObjects = 0, mostParts = 0;
  int64_t stageClears = 0, exitQueries = 0, framesOfPlay = 0;
};

RunSummary LongRun(uint64_t seed) {
  testing_support::HeadlessGame game(testing_support::RepoDataDir());
  RunSummary run;
  if (!game.Start()) return run;
  // Runs of random length with random keys: mostly flying and firing, now and
  // then a bomb or the exit query.
  constexpr struct {
    uint8_t key;
    uint32_t oneIn;
  } kOdds[] = {{VK_LEFT, 3}, {VK_RIGHT, 3}, {VK_UP, 3}, {VK_DOWN, 3}, {VK_SPACE, 2}, {VK_SHIFT, 16}, {VK_ESCAPE, 64}};
  const auto below = [&seed](uint32_t n) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(seed >> 33) % n;
  };
  std::vector<uint8_t> keys;
  int64_t left = 0;
  for (int64_t frame = 1; frame <= kFrames && !game.last.close; ++frame) {
    if (left-- == 0) {
      left = below(40);
      keys.clear();
      for (const auto& o : kOdds) {
        if (below(o.oneIn) == 0) keys.push_back(o.key);
      }
    }
    const std::string screen = ScreenName(game.State());
    std::vector<uint8_t> held = keys;
    // On the exit query, Right moves to "yes": never confirm it.
    if (screen == "exit") held.erase(std::remove(held.begin(), held.end(), VK_RIGHT), held.end());
    game.Idle(1, held);
    const std::string next = ScreenName(game.State());
    run.stageClears += next != screen && next == "clear";
    run.exitQueries += next != screen && next == "exit";
    run.framesOfPlay += screen == "play";
    if (frame % 1000 == 0) run.lines += game.LastLine();
    run.mostObjects = std::max(run.mostObjects, play_test::CountNodes(game.State().mainList));
    run.mostParts = std::max(run.mostParts, play_test::CountNodes(game.State().childList));
  }
  return run;
}

TEST(LongRun, RandomPlayStaysBoundedAndRepeatsExactly) {
  const RunSummary first = LongRun(20240611);
  EXPECT_EQ(std::count(first.lines.begin(), first.lines.end(), '\n'), kFrames / 1000) << "the window never closed";
  EXPECT_GT(first.framesOfPlay, kFrames / 2);
  EXPECT_GE(first.stageClears, 2);
  EXPECT_GE(first.exitQueries, 2);
  EXPECT_GT(first.mostObjects, 0u);
  EXPECT_LE(first.mostObjects, kMaxObjects);
  EXPECT_LE(first.mostParts, kMaxParts);
  EXPECT_EQ(LongRun(20240611).lines, first.lines);
}

}  // namespace
