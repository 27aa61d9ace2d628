#include "gfx/display.hpp"

#include <algorithm>
#include <array>
#include <climits>

#include "data/sheet_geometry.hpp"

namespace {

constexpr size_t kBigGlyphs = 26;
constexpr size_t kSmallGlyphs = 46;

// Character code behind each small-glyph index; 0 = no glyph.
constexpr std::array<char, kSmallGlyphs> kSmallGlyphChars = [] {
  std::array<char, kSmallGlyphs> c{};
  c[6] = '+';
  for (int i = 0; i < 10; ++i) c[static_cast<size_t>(7 + i)] = static_cast<char>('0' + i);
  for (int i = 0; i < 26; ++i) c[static_cast<size_t>(17 + i)] = static_cast<char>('A' + i);
  c[43] = '/';
  c[44] = '?';
  c[45] = '\'';  // drawn as a hollow square: the selection box
  return c;
}();

const std::array<RECT, kBigGlyphs> g_rcBigGlyph = [] {
  std::array<RECT, kBigGlyphs> r{};
  for (size_t i = 0; i < r.size(); ++i) r[i] = BigGlyphRect(static_cast<int32_t>(i));
  return r;
}();

const std::array<RECT, kSmallGlyphs> g_rcSmallGlyph = [] {
  std::array<RECT, kSmallGlyphs> r{};
  for (size_t i = 0; i < r.size(); ++i) {
    if (kSmallGlyphChars[i] != 0) r[i] = CharCellRect(kSmallGlyphChars[i]);
  }
  return r;
}();

template <size_t N>
RECT Source(const std::array<RECT, N>& glyphs, int16_t index) {
  return index < 0 || static_cast<size_t>(index) >= N ? RECT{} : glyphs[static_cast<size_t>(index)];
}

}  // namespace

RECT BigGlyphSource(int16_t index) { return Source(g_rcBigGlyph, index); }
RECT SmallGlyphSource(int16_t index) { return Source(g_rcSmallGlyph, index); }

int CDisplay::BltClipped(const Surface& src, int32_t left, int32_t top, int32_t right, int32_t bottom,
                         RECT s) {
  if (m_unseen) return 0;
  // Widen first: positions from data may be near the int range.
  int64_t l = left, t = top, r = right, b = bottom;
  int64_t sl = s.left, st = s.top, sr = s.right, sb = s.bottom;
  if (l < PLAYFIELD_LEFT) {
    sl += PLAYFIELD_LEFT - l;
    l = PLAYFIELD_LEFT;
  }
  if (r > PLAYFIELD_RIGHT) {
    sr -= r - PLAYFIELD_RIGHT;
    r = PLAYFIELD_RIGHT;
  }
  if (t < 0) {
    st += -t;
    t = 0;
  }
  if (b > PAGE_HEIGHT) {
    sb -= b - PAGE_HEIGHT;
    b = PAGE_HEIGHT;
  }
  const auto fits = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
  if (!fits(l) || !fits(t) || !fits(r) || !fits(b) || !fits(sl) || !fits(st) || !fits(sr) || !fits(sb)) return 0;
  return BltKeyed(m_back, src, RECT{int32_t(l), int32_t(t), int32_t(r), int32_t(b)},
                  RECT{int32_t(sl), int32_t(st), int32_t(sr), int32_t(sb)});
}

// An index without a glyph has an empty source, which blits draw nothing from.
void CDisplay::DrawBigGlyph(int16_t index, int32_t x, int32_t y, int32_t scale) {
  BltKeyed(m_back, m_sheet.pixels, RECT{x, y, x + 16 * scale, y + 16 * scale}, BigGlyphSource(index));
}

void CDisplay::DrawSmallGlyph(int16_t index, int32_t x, int32_t y, int32_t scale) {
  BltClipped(m_sheet.pixels, x, y, x + 8 * scale, y + 8 * scale, SmallGlyphSource(index));
}

void CDisplay::DrawBigText(std::string_view text, int32_t x, int32_t y, int32_t scale) {
  for (const char c : text) {
    if (c >= 'A' && c <= 'Z') DrawBigGlyph(static_cast<int16_t>(c - 'A'), x, y, scale);
    x += 16 * scale;
  }
}

void CDisplay::DrawSmallText(std::string_view text, int32_t x, int32_t y, int32_t scale) {
  for (const char c : text) {
    const auto glyph = std::find(kSmallGlyphChars.begin() + 1, kSmallGlyphChars.end(), c);
    if (glyph != kSmallGlyphChars.end()) DrawSmallGlyph(static_cast<int16_t>(glyph - kSmallGlyphChars.begin()), x, y, scale);
    x += 8 * scale;
  }
}
