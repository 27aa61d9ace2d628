// Float positions to pixels and the per-frame move step.
#pragma once

#include <cstdint>

// Toward zero. Positions are bounded first so the conversion is always
// defined: everything this far out lies beyond every edge, box and margin
// alike, and a bounded position plus a 16-bit size still fits in 32 bits.
inline int32_t Trunc(float v) {
  constexpr float kBound = 1073741824.0f;  // 2^30
  if (v != v) return 0;
  if (v >= kBound) return 1073741824;
  if (v <= -kBound) return -1073741824;
  return static_cast<int32_t>(v);
}

// One step of `speed` along a table entry, formed in double and stored as float.
inline float Advance(float position, int32_t speed, float entry) {
  return static_cast<float>(static_cast<double>(position) + static_cast<double>(speed) * static_cast<double>(entry));
}
