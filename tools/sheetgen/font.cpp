#include "sheetgen/font.hpp"

#include <array>
#include <vector>

#include "sheetgen/palette.hpp"

namespace sheetgen {
namespace {

// 7 x 7 designs, rows top to bottom separated by '|': bold two-pixel
// uprights, one-pixel bars.
struct Glyph {
  char code;
  const char* rows;
};

constexpr Glyph kGlyphs[] = {
    {'!', "...##..|...##..|...##..|...##..|...##..|.......|...##.."},
    {'(', "....##.|...##..|..##...|..##...|..##...|...##..|....##."},
    {')', ".##....|..##...|...##..|...##..|...##..|..##...|.##...."},
    {'*', ".......|.##.##.|..###..|#######|..###..|.##.##.|......."},
    {'+', ".......|...##..|...##..|.######|...##..|...##..|......."},
    {',', ".......|.......|.......|.......|...##..|...##..|..##..."},
    {'-', ".......|.......|.......|.######|.......|.......|......."},
    {'.', ".......|.......|.......|.......|.......|...##..|...##.."},
    {'/', "......#|.....##|....##.|...##..|..##...|.##....|##....."},
    {'0', ".#####.|##...##|##..###|##.#.##|###..##|##...##|.#####."},
    {'1', "...##..|..###..|...##..|...##..|...##..|...##..|.######"},
    {'2', ".#####.|##...##|.....##|..####.|.##....|##.....|#######"},
    {'3', ".#####.|##...##|.....##|...###.|.....##|##...##|.#####."},
    {'4', "...###.|..####.|.##.##.|##..##.|#######|....##.|....##."},
    {'5', "######.|##.....|######.|.....##|.....##|##...##|.#####."},
    {'6', "..####.|.##....|##.....|######.|##...##|##...##|.#####."},
    {'7', "#######|##...##|....##.|...##..|..##...|..##...|..##..."},
    {'8', ".#####.|##...##|##...##|.#####.|##...##|##...##|.#####."},
    {'9', ".#####.|##...##|##...##|.######|.....##|....##.|.####.."},
    {':', ".......|...##..|...##..|.......|...##..|...##..|......."},
    {'<', "....##.|...##..|..##...|.##....|..##...|...##..|....##."},
    {'=', ".......|.......|.######|.......|.######|.......|......."},
    {'>', ".##....|..##...|...##..|....##.|...##..|..##...|.##...."},
    {'?', ".#####.|##...##|....##.|...##..|...##..|.......|...##.."},
    {'A', "..###..|.##.##.|##...##|##...##|#######|##...##|##...##"},
    {'B', "######.|##...##|##...##|######.|##...##|##...##|######."},
    {'C', "..####.|.##..##|##.....|##.....|##.....|.##..##|..####."},
    {'D', "#####..|##..##.|##...##|##...##|##...##|##..##.|#####.."},
    {'E', "#######|##.....|##.....|######.|##.....|##.....|#######"},
    {'F', "#######|##.....|##.....|######.|##.....|##.....|##....."},
    {'G', "..#####|.##....|##.....|##..###|##...##|.##..##|..#####"},
    {'H', "##...##|##...##|##...##|#######|##...##|##...##|##...##"},
    {'I', ".######|...##..|...##..|...##..|...##..|...##..|.######"},
    {'J', "...####|.....##|.....##|.....##|##...##|##...##|.#####."},
    {'K', "##...##|##..##.|##.##..|####...|#####..|##..##.|##...##"},
    {'L', "##.....|##.....|##.....|##.....|##.....|##.....|#######"},
    {'M', "##...##|###.###|#######|#######|##.#.##|##...##|##...##"},
    {'N', "##...##|###..##|####.##|#######|##.####|##..###|##...##"},
    {'O', ".#####.|##...##|##...##|##...##|##...##|##...##|.#####."},
    {'P', "######.|##...##|##...##|##...##|######.|##.....|##....."},
    {'Q', ".#####.|##...##|##...##|##...##|##.####|##..##.|.####.#"},
    {'R', "######.|##...##|##...##|##..###|#####..|##.###.|##..###"},
    {'S', ".####..|##..##.|##.....|.#####.|.....##|##...##|.#####."},
    {'T', ".######|...##..|...##..|...##..|...##..|...##..|...##.."},
    {'U', "##...##|##...##|##...##|##...##|##...##|##...##|.#####."},
    {'V', "##...##|##...##|##...##|###.###|.#####.|..###..|...#..."},
    {'W', "##...##|##...##|##.#.##|#######|#######|###.###|##...##"},
    {'X', "##...##|###.###|.#####.|..###..|.#####.|###.###|##...##"},
    {'Y', ".##..##|.##..##|.##..##|..####.|...##..|...##..|...##.."},
    {'Z', "#######|....###|...###.|..###..|.###...|###....|#######"},
    {'_', ".......|.......|.......|.......|.......|.......|#######"},
};

constexpr int kDesign = 7;

const char* Rows(int code) {
  for (const Glyph& g : kGlyphs)
    if (g.code == code) return g.rows;
  return nullptr;
}

// Scale2x enlargement of a 7 x 7 design: diagonals come out smooth rather
// than stepped, which matters at the sizes the title draws letters.
Mask Enlarged(int code, int offset) {
  Mask m(16, 16);
  const auto p = [&](int x, int y) { return GlyphBit(code, x, y); };
  for (int y = 0; y < kDesign; ++y) {
    for (int x = 0; x < kDesign; ++x) {
      const bool e = p(x, y), a = p(x, y - 1), b = p(x + 1, y), c = p(x - 1, y), d = p(x, y + 1);
      const bool e0 = (c == a && c != d && a != b) ? a : e;
      const bool e1 = (a == b && a != c && b != d) ? b : e;
      const bool e2 = (d == c && d != b && c != a) ? c : e;
      const bool e3 = (b == d && b != a && d != c) ? d : e;
      const int ox = offset + 2 * x, oy = offset + 2 * y;
      m.Set(ox, oy, e0);
      m.Set(ox + 1, oy, e1);
      m.Set(ox, oy + 1, e2);
      m.Set(ox + 1, oy + 1, e3);
    }
  }
  return m;
}

// A 16 x 16 glyph: bevelled, lighter at the top, with a dark outline.
void BigGlyph(Canvas& sheet, int code, const RECT& at, int ramp, int top, int bottom, uint8_t outline) {
  Cell cell(sheet, at);
  const Mask m = Enlarged(code, 1);
  PaintFn(cell, m, ramp, 1, 15, [&](int, int py) {
    const int t = py - 2;  // 0 at the glyph's first row, 13 at its last
    return top * 16 + (bottom - top) * 16 * t / 13;
  });
  // A one-pixel highlight along the top edges of every stroke.
  for (int py = 0; py < 16; ++py)
    for (int px = 0; px < 16; ++px)
      if (m.At(px, py) && !m.At(px, py - 1)) cell.Set(px, py, C(ramp, 15));
  cell.Outline(outline);
}

}  // namespace

bool GlyphBit(int code, int x, int y) {
  const char* rows = Rows(code);
  if (rows == nullptr || x < 0 || y < 0 || x >= kDesign || y >= kDesign) return false;
  return rows[static_cast<size_t>(y * (kDesign + 1) + x)] == '#';
}

void Letter(Cell& cell, int code, int x, int y, uint8_t colour) {
  for (int py = 0; py < kDesign; ++py)
    for (int px = 0; px < kDesign; ++px)
      if (GlyphBit(code, px, py)) cell.Set(x + px, y + py, colour);
}

void DrawSmallFont(Sheet& sheet) {
  std::vector<RECT> cells;
  for (int code = 0x20; code < 0x60; ++code) cells.push_back(CharCellRect(code));
  sheet.ListRun(Table::kFixed, cells, "(c - 0x20)", "Small font, code c = 0x20..0x5F",
                "light lettering with a one-pixel shadow: space ! ( ) * + , - . / 0-9 : < = > ? A-Z _");
  sheet.List(Table::kFixed, CharCellRect('\''), "Small font code 0x27",
             "hollow square (selection box): every border pixel of the cell");
  sheet.List(Table::kFixed, RC_SMALL_MINUS, "Small minus", "the font's \"-\"");
  for (int code = 0x20; code < 0x60; ++code) {
    Cell cell(sheet, CharCellRect(code));
    if (code == '\'') {
      // The selection box: every border pixel of the cell.
      for (int i = 0; i < 8; ++i) {
        cell.Set(i, 0, C(R_FIRE, 13));
        cell.Set(i, 7, C(R_FIRE, 13));
        cell.Set(0, i, C(R_FIRE, 13));
        cell.Set(7, i, C(R_FIRE, 13));
      }
      continue;
    }
    SmallLetter(cell, [code](int x, int y) { return GlyphBit(code, x, y); });
  }
}

void SmallLetter(Cell& cell, const std::function<bool(int, int)>& bit) {
  // Light lettering with a dark shadow one pixel down and right, so text reads
  // on any background; the shadow stays inside the 8 x 8 cell.
  static constexpr std::array<int, kDesign> kRowShade = {15, 15, 14, 13, 12, 11, 10};
  const auto on = [&](int x, int y) { return x >= 0 && y >= 0 && x < kDesign && y < kDesign && bit(x, y); };
  for (int y = 0; y < kDesign; ++y)
    for (int x = 0; x < kDesign; ++x)
      if (on(x, y) && !on(x - 1, y - 1)) cell.Set(x + 1, y + 1, C(R_STEEL, 1));
  for (int y = 0; y < kDesign; ++y)
    for (int x = 0; x < kDesign; ++x)
      if (on(x, y)) cell.Set(x, y, C(R_ICE, kRowShade[static_cast<size_t>(y)]));
}

void DrawBigLetters(Sheet& sheet) {
  std::vector<RECT> cells;
  for (int i = 0; i < 26; ++i) cells.push_back(BigGlyphRect(i));
  sheet.ListRun(Table::kFixed, cells, "i", "Big letters A..Z", "gold letters with a dark red outline, letter i");
  for (int i = 0; i < 26; ++i) BigGlyph(sheet, 'A' + i, BigGlyphRect(i), R_FIRE, 14, 8, C(R_RED, 1));
}

void DrawScoreDigits(Sheet& sheet) {
  sheet.ListRun(Table::kFixed, {g_rcDigit.begin(), g_rcDigit.end()}, "d", "Score digits 0..9", "cyan digits, digit d");
  for (int d = 0; d < 10; ++d) BigGlyph(sheet, '0' + d, g_rcDigit[static_cast<size_t>(d)], R_CYAN, 14, 7, C(R_BLUE, 1));
  sheet.List(Table::kFixed, RC_BIG_MINUS, "Score minus sign", "cyan \"-\"");
  BigGlyph(sheet, '-', RC_BIG_MINUS, R_CYAN, 14, 7, C(R_BLUE, 1));
}

}  // namespace sheetgen
