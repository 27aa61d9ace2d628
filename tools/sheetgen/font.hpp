// The game's lettering: the 8 x 8 character font, the 16 x 16 letter glyphs
// and the 16 x 16 score digits.
#pragma once

#include <functional>

#include "sheetgen/sheet.hpp"

namespace sheetgen {

// True where the 7 x 7 design of character `code` is set (false for codes
// the font leaves blank and for points outside the design).
bool GlyphBit(int code, int x, int y);

void DrawSmallFont(Sheet& sheet);    // codes 0x20..0x5F
void DrawBigLetters(Sheet& sheet);   // A..Z
void DrawScoreDigits(Sheet& sheet);  // 0..9 and the minus sign

// A 7 x 7 design, set where `bit(x, y)` is, in the small font's lettering:
// light, with a dark shadow one pixel down and right, inside the 8 x 8 cell.
void SmallLetter(Cell& cell, const std::function<bool(int, int)>& bit);

// Draws character `code` (7 x 7 design) in one colour at (x, y) of a cell.
void Letter(Cell& cell, int code, int x, int y, uint8_t colour);

}  // namespace sheetgen
