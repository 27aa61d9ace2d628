// The background is a ring of 480 lines on the scroll surface: each frame a
// few lines of the staged map row go in at the top, and the ring is shown in
// two bands.
#include "game/background.hpp"

#include "app/game_app.hpp"
#include "data/tables.hpp"
#include "data/sheet_geometry.hpp"

int32_t g_nScrollLine = 0;
int32_t g_nTileLine = 0;
int32_t g_nMapRow = 0;

namespace {

constexpr int32_t kRingLines = 480;
constexpr int32_t kRingWidth = 640;  // as wide as the staged map row
constexpr int32_t kStagingTop = 480;  // the staged map row: lines 480..511
constexpr int32_t kTile = 32;

}  // namespace

const ScrollBands g_rcScrollBands = [] {
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

void CGameApp::UpdateBackground() {
  CDisplay& display = m_pFrame->m_display;
  Surface& scroll = display.GetScrollSurface();
  const int32_t s = m_pFrame->m_state.m_nScrollSpeed;

  if (g_nTileLine == 0) {
    for (int32_t c = 0; c < MAP_COLUMNS; ++c) {
      BltOpaque(scroll, display.GetSheetSurface(), RECT{kTile * c, kStagingTop, kTile * c + kTile, kStagingTop + kTile},
                g_rcMap[g_nMapRow][c]);
    }
    if (++g_nMapRow >= MAP_ROWS) g_nMapRow = 0;
  }

  // The new lines go to the ring line shown at the top of the playfield; a
  // band that runs past the surface is simply not drawn.
  const int32_t top = (kRingLines - g_nScrollLine) % kRingLines;
  BltOpaque(scroll, scroll, RECT{0, top, kRingWidth, top + s},
            RECT{0, kStagingTop + g_nTileLine, kRingWidth, kStagingTop + g_nTileLine + s});

  const auto p = static_cast<size_t>(g_nScrollLine);
  Surface& back = display.GetBackSurface();
  BltOpaque(back, scroll, g_rcScrollBands.lowerDst[p], g_rcScrollBands.lowerSrc[p]);
  BltOpaque(back, scroll, g_rcScrollBands.topDst[p], g_rcScrollBands.topSrc[p]);

  g_nScrollLine += s;
  if (g_nScrollLine >= kRingLines) g_nScrollLine = 0;
  g_nTileLine += s;
  if (g_nTileLine >= kTile) g_nTileLine = 0;
}
