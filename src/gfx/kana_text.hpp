// The small characters with katakana among them, for texts in Japanese: each
// character of UTF-8 text from the sheet's font or from the kana page
// (data/kana_geometry.hpp), in the same 8 x 8 cells.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "gfx/display.hpp"
#include "gfx/surface.hpp"

// The kana page from its bitmap (on the game's palette, as the generator
// draws it); false, with the reason, when it is none.
bool LoadKanaPage(std::span<const uint8_t> bitmap, Surface& page, std::string& error);

// `text` at (x, y), each character 8 x `scale` pixels wide as DrawSmallText
// draws them: ASCII from the sheet's font, katakana from `kana` (none: gaps),
// any other character, and each byte that is no UTF-8, a gap.
void DrawLetters(CDisplay& display, const Surface* kana, std::string_view text, int32_t x, int32_t y, int32_t scale);
bool IsAscii(std::string_view text);
