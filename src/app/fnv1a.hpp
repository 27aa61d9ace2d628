// 64-bit FNV-1a: the hash of pages and of the game state that tests, replays
// and the simulator compare.
#pragma once

#include <cstdint>
#include <span>

inline constexpr uint64_t kFnv1aStart = 0xcbf29ce484222325ull;

// Continues `hash` over `bytes`.
inline uint64_t Fnv1a(std::span<const uint8_t> bytes, uint64_t hash = kFnv1aStart) {
  for (const uint8_t b : bytes) {
    hash ^= b;
    hash *= 0x100000001b3ull;
  }
  return hash;
}
