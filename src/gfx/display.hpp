// Drawing one frame: the back page and the background ring it is drawn on,
// the sprite sheet it is drawn from, and the glyph fonts.
#pragma once

#include <cstdint>
#include <string_view>

#include "gfx/sprite_sheet.hpp"
#include "gfx/surface.hpp"

// Only clipped blits trim to the playfield; the bands beside it keep whatever
// was last drawn there.
inline constexpr int32_t PLAYFIELD_LEFT = 96;
inline constexpr int32_t PLAYFIELD_RIGHT = 544;
// The background ring: 480 lines shown, the staged map row below them.
inline constexpr int32_t SCROLL_WIDTH = 704;
inline constexpr int32_t SCROLL_HEIGHT = 544;

class CDisplay {
 public:
  // With `unseen`, nobody will look at the page this frame presents: what the
  // next frame draws over is skipped (the playfield in play, the whole page
  // on the title and stage-clear screens). Only while those screens' tiles
  // cover the page, for they are drawn over whatever the last frame left.
  CDisplay(const SpriteSheet& sheet, Surface& back, Surface& scroll, bool unseen = false)
      : m_sheet(sheet), m_back(back), m_scroll(scroll), m_unseen(unseen && sheet.tilesCoverPage) {}

  Surface& GetBackSurface() { return m_back; }
  const Surface& GetSheetSurface() const { return m_sheet.pixels; }
  Surface& GetScrollSurface() { return m_scroll; }
  bool Unseen() const { return m_unseen; }

  // Keyed blit onto the back page, trimmed to the playfield first.
  int BltClipped(const Surface& src, int32_t left, int32_t top, int32_t right, int32_t bottom, RECT srcRect);
  void DrawBigGlyph(int16_t index, int32_t x, int32_t y, int32_t scale);    // 0..25 = A..Z
  void DrawSmallGlyph(int16_t index, int32_t x, int32_t y, int32_t scale);  // 6..45
  // Text in the big letters (A to Z) or the small characters (+ 0-9 A-Z / ?),
  // each 16 or 8 pixels wide times `scale`; any other character is a gap.
  void DrawBigText(std::string_view text, int32_t x, int32_t y, int32_t scale);
  void DrawSmallText(std::string_view text, int32_t x, int32_t y, int32_t scale);

 private:
  const SpriteSheet& m_sheet;
  Surface& m_back;
  Surface& m_scroll;
  bool m_unseen;
};

// Where each glyph is on the sheet; an empty rectangle for an index without one.
RECT BigGlyphSource(int16_t index);
RECT SmallGlyphSource(int16_t index);
