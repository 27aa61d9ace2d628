// The kana page: the katakana block U+30A0..U+30FF in 8 x 8 cells, sixteen to
// a row, each at its code point's place. The page's generator and the text
// drawing share it.
#pragma once

#include <cstdint>

#include "data/sheet_geometry.hpp"

inline constexpr int32_t kKanaFirst = 0x30A0;
inline constexpr int32_t kKanaCount = 96;
inline constexpr int32_t kKanaColumns = 16;
inline constexpr int32_t KANA_PAGE_WIDTH = 8 * kKanaColumns;
inline constexpr int32_t KANA_PAGE_HEIGHT = 8 * (kKanaCount / kKanaColumns);

inline constexpr bool IsKana(int32_t code) { return code >= kKanaFirst && code < kKanaFirst + kKanaCount; }
// Where code point `code` (IsKana) is on the page.
inline constexpr RECT KanaCellRect(int32_t code) {
  const int32_t i = code - kKanaFirst;
  return CellRect(8 * (i % kKanaColumns), 8 * (i / kKanaColumns), 8, 8);
}
