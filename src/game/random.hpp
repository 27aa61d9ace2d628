// The classic 15-bit runtime rand(), never seeded: every run starts the same
// sequence on every machine.
#pragma once

#include <cstdint>

struct RandomState {
  uint32_t seed = 1;
};

inline int32_t Rand15(RandomState& random) {
  random.seed = random.seed * 214013u + 2531011u;
  return static_cast<int32_t>((random.seed >> 16) & 0x7FFF);
}
