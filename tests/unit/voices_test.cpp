// Which voice a new sound effect takes, on the desktop and in the browser.
#include "audio/voices.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Voices, ANewStartStopsTheOldestCopyOrTheOldestVoiceOnlyPastTheLimits) {
  const struct {
    std::vector<size_t> playing;  // oldest first
    size_t effect;
    std::optional<size_t> stops;
  } cases[] = {
      {{}, 3, std::nullopt},
      {{5, 3, 1}, 3, std::nullopt},              // a second copy
      {{5, 3, 1, 3}, 3, 1},                      // a third restarts the oldest copy
      {{0, 1, 2, 4, 5, 6, 7}, 3, std::nullopt},  // the last free voice
      {{0, 1, 2, 4, 5, 6, 7, 8}, 3, 0},          // none free: the oldest gives way
      {{0, 1, 2, 4, 5, 6, 3, 3}, 3, 6},          // both limits: the copy goes
  };
  for (const auto& c : cases) EXPECT_EQ(VoiceToStop(c.playing, c.effect), c.stops) << "case " << &c - cases;
}

}  // namespace
