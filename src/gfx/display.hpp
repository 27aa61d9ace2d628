// The pages the game draws into, the sprite sheet and the glyph fonts.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "gfx/surface.hpp"
#include "platform/platform.hpp"

// Only clipped blits trim to the playfield; the bands beside it keep whatever
// was last drawn there.
inline constexpr int32_t PLAYFIELD_LEFT = 96;
inline constexpr int32_t PLAYFIELD_RIGHT = 544;
// The background ring: 480 lines shown, the staged map row below them.
inline constexpr int32_t SCROLL_WIDTH = 704;
inline constexpr int32_t SCROLL_HEIGHT = 544;

class CDisplay {
 public:
  CDisplay();

  // Brings up the window's video and creates the pages; shows its own
  // message naming the step that failed. 1 = ready, 0 = failed.
  int32_t InitDirectDraw(platform::Platform& platform);
  // Decodes the bitmap resource onto the sheet; 1 = loaded, 0 = failed.
  int32_t LoadSpriteSheet(std::span<const uint8_t> bitmap);
  int Present();

  Surface& GetBackSurface() { return m_back; }
  Surface& GetSheetSurface() { return m_sheet; }
  Surface& GetScrollSurface() { return m_scroll; }
  const platform::Palette& GetPalette() const { return m_palette; }

  // Set for a frame whose page nobody will look at: what the next frame
  // draws over is skipped (the playfield in play, the whole page on the
  // title and stage-clear screens). Only while those screens' tiles cover
  // the page, for they are drawn over whatever the last frame left.
  void SetUnseen(bool unseen) { m_unseen = unseen && m_tilesCoverPage; }
  bool Unseen() const { return m_unseen; }

  // Keyed blit onto the back page, trimmed to the playfield first.
  int BltClipped(const Surface& src, int32_t left, int32_t top, int32_t right, int32_t bottom, RECT srcRect);
  void DrawBigGlyph(int16_t index, int32_t x, int32_t y, int32_t scale);    // 0..25 = A..Z
  void DrawSmallGlyph(int16_t index, int32_t x, int32_t y, int32_t scale);  // 6..45

  int32_t m_bFullScreen = 0;
  std::array<RECT, 26> m_rcBigGlyph{};
  std::array<RECT, 46> m_rcSmallGlyph{};

 private:
  platform::Platform* m_platform = nullptr;
  // The visible page belongs to the platform, which copies each presented
  // back page out, so the back page is the only page the game owns or clears.
  Surface m_back;
  Surface m_sheet;
  Surface m_scroll;
  platform::Palette m_palette{};
  bool m_tilesCoverPage = false;
  bool m_unseen = false;
};
