// A long headless run with random (seeded) input that plays the stage again
// and again and never confirms the exit query: the object lists stay bounded,
// the stage keeps coming round, and a second run with the same seed goes
// through exactly the same states. Leaks show when the process ends (the
// sanitized build checks for them).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/fnv1a.hpp"
#include "app/state_report.hpp"
#include "game/object.hpp"
#include "input/keyboard.hpp"
#include "play_fixture.hpp"

namespace {

using testing_support::HeadlessGame;
using testing_support::RepoDataDir;

// About 50 s a run in the sanitized build, a few seconds in the others.
constexpr int64_t kFrames = 100000;
constexpr int64_t kPageHashEvery = 1000;
// Far above what the stage has alive at once (about 150 objects and 5 parts),
// far below what objects that are never freed would pile up to over the run.
constexpr int64_t kMaxMainObjects = 1000;
constexpr int64_t kMaxChildObjects = 200;

// Our own generator: the same numbers in every build and on every library.
class Lcg {
 public:
  explicit Lcg(uint64_t seed) : m_state(seed) {}
  uint32_t Below(uint32_t n) {
    m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(m_state >> 33) % n;
  }

 private:
  uint64_t m_state;
};

// Runs of random length with a random set of keys: mostly flying and firing,
// now and then a bomb or the exit query.
class RandomInput {
 public:
  explicit RandomInput(uint64_t seed) : m_random(seed) {}

  std::vector<uint8_t> Next(const std::string& screen) {
    if (m_left == 0) NewRun();
    --m_left;
    std::vector<uint8_t> keys = m_keys;
    // On the exit query, Right moves to "yes": never confirm it.
    if (screen == "exit") keys.erase(std::remove(keys.begin(), keys.end(), VK_RIGHT), keys.end());
    return keys;
  }

 private:
  void NewRun() {
    struct Odds {
      uint8_t key;
      uint32_t oneIn;
    };
    static constexpr Odds kOdds[] = {{VK_LEFT, 3},  {VK_RIGHT, 3},  {VK_UP, 3},     {VK_DOWN, 3},
                                     {VK_SPACE, 2}, {VK_SHIFT, 16}, {VK_ESCAPE, 64}};
    m_left = 1 + m_random.Below(40);
    m_keys.clear();
    for (const Odds& o : kOdds) {
      if (m_random.Below(o.oneIn) == 0) m_keys.push_back(o.key);
    }
  }

  Lcg m_random;
  int64_t m_left = 0;
  std::vector<uint8_t> m_keys;
};

struct RunSummary {
  uint64_t digest = kFnv1aStart;  // every frame's state hash, every 1000th page
  int64_t maxMain = 0;
  int64_t maxChild = 0;
  int64_t stageClears = 0;
  int64_t exitQueries = 0;
  int64_t framesOfPlay = 0;
};

void Mix(uint64_t& digest, uint64_t value) {
  uint8_t bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
  digest = Fnv1a(bytes, digest);
}

RunSummary LongRun(uint64_t seed) {
  HeadlessGame game(RepoDataDir());
  RunSummary run;
  if (!game.Start()) {
    ADD_FAILURE() << "start-up failed: " << ::testing::PrintToString(game.platform.Messages());
    return run;
  }
  RandomInput input(seed);
  std::string screen = ScreenName(game.State().m_state);
  for (int64_t frame = 1; frame <= kFrames; ++frame) {
    game.Idle(1, input.Next(screen));
    const std::string next = ScreenName(game.State().m_state);
    if (next != screen && next == "clear") ++run.stageClears;
    if (next != screen && next == "exit") ++run.exitQueries;
    if (screen == "play") ++run.framesOfPlay;
    screen = next;

    Mix(run.digest, HashPlayState(game.State()));
    if (frame % kPageHashEvery == 0) Mix(run.digest, Fnv1a(game.Page()));
    run.maxMain = std::max(run.maxMain, static_cast<int64_t>(play_test::CountNodes(game.State().mainList)));
    run.maxChild = std::max(run.maxChild, static_cast<int64_t>(play_test::CountNodes(game.State().childList)));
    if (run.maxMain > kMaxMainObjects || run.maxChild > kMaxChildObjects || game.platform.CloseRequested()) {
      ADD_FAILURE() << "frame " << frame << ": " << run.maxMain << " objects, " << run.maxChild
                    << " parts, closed: " << game.platform.CloseRequested();
      break;
    }
  }
  return run;
}

TEST(LongRun, RandomPlayStaysBoundedAndRepeatsExactly) {
  const RunSummary first = LongRun(20240611);
  std::printf("%lld frames: %lld of play, %lld stage clears, %lld exit queries, at most %lld objects, %lld parts\n",
              static_cast<long long>(kFrames), static_cast<long long>(first.framesOfPlay),
              static_cast<long long>(first.stageClears), static_cast<long long>(first.exitQueries),
              static_cast<long long>(first.maxMain), static_cast<long long>(first.maxChild));
  // The input plays most of the time and comes through the stage again and again.
  EXPECT_GT(first.framesOfPlay, kFrames / 2);
  EXPECT_GE(first.stageClears, 2);
  EXPECT_GE(first.exitQueries, 2);
  EXPECT_GT(first.maxMain, 0);

  const RunSummary second = LongRun(20240611);
  EXPECT_EQ(first.digest, second.digest);
  EXPECT_EQ(first.stageClears, second.stageClears);
}

}  // namespace
