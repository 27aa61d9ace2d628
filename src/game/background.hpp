// The scrolling background's ring state.
#pragma once

#include <array>
#include <cstdint>

#include "gfx/surface.hpp"

extern int32_t g_nScrollLine;  // ring position p, 0..479
extern int32_t g_nTileLine;    // next line of the staged map row, 0..31
extern int32_t g_nMapRow;      // next map row to stage, 0..499

struct ScrollBands {
  std::array<RECT, 480> topSrc, topDst, lowerSrc, lowerDst;
};
extern const ScrollBands g_rcScrollBands;
