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
}

}  // namespace
