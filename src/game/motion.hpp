// Float positions to pixels, the per-frame move step and movement-program rows.
#pragma once

#include <cstdint>

#include "data/tables.hpp"
#include "game/object.hpp"

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

// A move by `speed` along two independent angles.
inline void MoveBy(GameObject& o, int32_t speed, int16_t angleX, int16_t angleY) {
  o.x = Advance(o.x, speed, cosTable[AngleIndex(angleX)]);
  o.y = Advance(o.y, speed, sinTable[AngleIndex(angleY)]);
}

// The row after a program row. A program that runs off the table stays past
// its end (empty cells) instead of counting on into the 16-bit wrap.
inline int16_t NextProgramRow(int16_t row) {
  return row >= dataTable.Capacity() ? row : static_cast<int16_t>(row + 1);
}
