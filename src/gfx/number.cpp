// Numbers are formatted as text and drawn glyph by glyph, so every 32-bit
// value, negative ones with their minus sign, fits the cells.
#include "gfx/number.hpp"

#include <array>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

// SCORE in the big letters, one per 16 pixels from x 128.
constexpr int16_t kScoreLabel[] = {18, 2, 14, 17, 4};
constexpr int32_t kLabelLeft = 128, kLabelTop = 16;
constexpr int32_t kScoreTop = 32;
constexpr int32_t kScoreEnd = 12;  // the score ends at column 12 of 16 pixels: x 192

// Writes "%d" of the value; returns its length.
size_t Format(int32_t value, char (&text)[16]) {
  std::snprintf(text, sizeof text, "%d", value);
  return std::strlen(text);
}

// Draws the text's characters side by side, `size` pixels each, from x.
template <size_t N>
void DrawDigits(CDisplay& display, const char* text, int32_t x, int32_t top, int32_t size,
                const std::array<RECT, N>& digits, RECT minus) {
  for (const char* c = text; *c != '\0'; ++c, x += size) {
    const RECT source = *c == '-' ? minus : digits[static_cast<size_t>(*c - '0')];
    BltKeyed(display.GetBackSurface(), display.GetSheetSurface(), RECT{x, top, x + size, top + size}, source);
  }
}

}  // namespace

void DrawScore(CDisplay& display, int32_t score) {
  for (size_t i = 0; i < std::size(kScoreLabel); ++i) {
    display.DrawBigGlyph(kScoreLabel[i], kLabelLeft + 16 * static_cast<int32_t>(i), kLabelTop, 1);
  }
  char text[16];
  const auto n = static_cast<int32_t>(Format(score, text));
  DrawDigits(display, text, (kScoreEnd - n) * 16, kScoreTop, 16, g_rcDigit, RC_BIG_MINUS);
}

void DrawNumber(CDisplay& display, int32_t value, int32_t right, int32_t top) {
  char text[16];
  const auto n = static_cast<int32_t>(Format(value, text));
  DrawDigits(display, text, right - 8 * n, top, 8, g_rcSmallDigit, RC_SMALL_MINUS);
}
