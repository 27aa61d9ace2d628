// What every stage's journey is laid out with.
#pragma once

#include <cstdint>

namespace mapgen {

// Our own fixed generator: the same map on every machine.
class Lcg {
 public:
  explicit Lcg(uint32_t seed) : m_state(seed) {}
  bool OneIn(int n) {
    m_state = m_state * 1664525u + 1013904223u;
    return (m_state >> 16) % static_cast<uint32_t>(n) == 0;
  }

 private:
  uint32_t m_state;
};

struct Span {
  int row, first, last;  // land at corners first..last of a corner row
};

inline bool Between(int value, int first, int last) { return value >= first && value <= last; }

}  // namespace mapgen
