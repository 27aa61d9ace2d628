#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "data/trig_table.hpp"

namespace {

uint32_t Bits(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The committed constants must be exactly what the formula gives here, bit for
// bit (a -0.0 or a last-place difference would change the game).
TEST(TrigTable, EqualsTheFormulaOnThisMachine) {
  struct Case {
    const char* name;
    const std::array<float, 256>& table;
    double (*function)(double);
  };
  const Case cases[] = {{"cos", kCosTable, [](double a) { return std::cos(a); }},
                        {"sin", kSinTable, [](double a) { return std::sin(a); }}};
  for (const Case& c : cases) {
    for (int i = 0; i < 256; ++i) {
      const float expected = static_cast<float>(c.function(i * static_cast<double>(kAngleStep)));
      EXPECT_EQ(Bits(c.table[static_cast<size_t>(i)]), Bits(expected)) << c.name << " index " << i;
    }
  }
  // 64 steps are f/2 and 128 steps are f, with f = 3.14159202575683594 the
  // float nearest 3.141592: cos(f/2) = pi/2 - f/2 and sin(f) = pi - f to
  // first order, not the zeros that pi/128 would give.
  EXPECT_TRUE(kCosTable[0] == 1.0f && kSinTable[0] == 0.0f && kSinTable[64] == 1.0f && kCosTable[128] == -1.0f);
  EXPECT_EQ(kSinTable[192], -1.0f);
  EXPECT_NEAR(kCosTable[64], 3.1391648e-7, 1e-12);
  EXPECT_NEAR(kSinTable[128], 6.2783295e-7, 1e-12);
  EXPECT_NEAR(kCosTable[192], -9.4174943e-7, 1e-12);
  EXPECT_NEAR(kSinTable[32], 0.70710678, 1e-6);
}

}  // namespace
