// The classic 15-bit runtime rand(), never seeded: every run starts the same
// sequence on every machine.
#pragma once

#include <cstdint>

struct RandomState {
  uint32_t seed = 1;
};
extern RandomState g_random;

inline int32_t Rand15() {
  g_random.seed = g_random.seed * 214013u + 2531011u;
  return static_cast<int32_t>((g_random.seed >> 16) & 0x7FFF);
}
