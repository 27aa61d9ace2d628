// The background is a ring of 480 lines on the scroll surface: each frame a
// few lines of the staged map row go in at the top, and the ring is shown in
// two bands.
#include <array>

#include "game/play.hpp"

namespace {

constexpr int32_t kRingLines = 480;
constexpr int32_t kRingWidth = 640;  // as wide as the staged map row
constexpr int32_t kStagingTop = 480;  // the staged map row: lines 480..511

struct ScrollBands {
  std::array<RECT, kRingLines> topSrc, topDst, lowerSrc, lowerDst;
};

constexpr ScrollBands g_rcScrollBands = [] {
  ScrollBands b{};
  for (int32_t p = 0; p < kRingLines; ++p) {
    const auto i = static_cast<size_t>(p);
    b.topSrc[i] = RECT{PLAYFIELD_LEFT, kRingLines - p, PLAYFIELD_RIGHT, kRingLines};
    b.topDst[i] = RECT{PLAYFIELD_LEFT, 0, PLAYFIELD_RIGHT, p};
    b.lowerSrc[i] = RECT{PLAYFIELD_LEFT, 0, PLAYFIELD_RIGHT, kRingLines - p};
    b.lowerDst[i] = RECT{PLAYFIELD_LEFT, p, PLAYFIELD_RIGHT, kRingLines};
  }
  return b;
}();

}  // namespace

void Play::UpdateBackground() {
  Surface& scroll = m_display.GetScrollSurface();
  const int32_t s = m_play.m_state.m_nScrollSpeed;
  int32_t& line = m_play.g_nScrollLine;
  int32_t& tileLine = m_play.g_nTileLine;

  if (tileLine == 0) {
    const auto& row = m_data.g_rcMap[static_cast<size_t>(m_play.g_nMapRow)];
    for (int32_t c = 0; c < MAP_COLUMNS; ++c) {
      BltOpaque(scroll, m_display.GetSheetSurface(),
                RECT{TILE_SIZE * c, kStagingTop, TILE_SIZE * c + TILE_SIZE, kStagingTop + TILE_SIZE},
                row[static_cast<size_t>(c)]);
    }
    if (++m_play.g_nMapRow >= MAP_ROWS) m_play.g_nMapRow = 0;
  }

  // The new lines go to the ring line shown at the top of the playfield; a
  // band that runs past the surface is simply not drawn.
  const int32_t top = (kRingLines - line) % kRingLines;
  BltOpaque(scroll, scroll, RECT{0, top, kRingWidth, top + s},
            RECT{0, kStagingTop + tileLine, kRingWidth, kStagingTop + tileLine + s});

  const auto p = static_cast<size_t>(line);
  if (!m_display.Unseen()) {
    Surface& back = m_display.GetBackSurface();
    BltOpaque(back, scroll, g_rcScrollBands.lowerDst[p], g_rcScrollBands.lowerSrc[p]);
    BltOpaque(back, scroll, g_rcScrollBands.topDst[p], g_rcScrollBands.topSrc[p]);
  }

  line += s;
  if (line >= kRingLines) line = 0;
  tileLine += s;
  if (tileLine >= TILE_SIZE) tileLine = 0;
}
