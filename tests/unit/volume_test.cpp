// The player's volume keys, on the desktop and in the browser.
#include "audio/volume.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Volume, MMutesOnAFreshPressAndEachStepUnmutesWithinTheRange) {
  const struct {
    PlayerVolume from;
    char32_t key;
    bool repeat;
    PlayerVolume after;
  } presses[] = {
      {{100, false}, U'm', false, {100, true}}, {{40, true}, U'M', false, {40, false}},
      {{40, true}, U'm', true, {40, true}},  // a held M does not flicker
      {{40, true}, U'-', false, {30, false}},   {{40, false}, U'-', true, {30, false}},  // held, it steps on
      {{5, false}, U'-', false, {0, false}},    {{0, true}, U'+', false, {10, false}},
      {{90, false}, U'=', true, {100, false}},  {{95, false}, U'+', false, {100, false}},
      {{40, true}, U'n', false, {40, true}},    {{40, false}, U'\0', false, {40, false}},  // no character
  };
  for (const auto& p : presses) {
    const PlayerVolume got = AfterVolumeKey(p.from, p.key, p.repeat);
    EXPECT_EQ(got, p.after) << "press " << &p - presses << ": " << got.percent << (got.muted ? " muted" : "");
  }
}

}  // namespace
