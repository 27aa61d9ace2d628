// What every stage's ground tiles are made with. A terrain tile is a function
// of the pixel's place in the tile only, with noise that repeats every 32
// pixels, so tiles join seamlessly with themselves and, along shared edges,
// with each other. Tiles are copied opaque: none may use the transparent black.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "sheetgen/palette.hpp"
#include "sheetgen/sheet.hpp"

namespace sheetgen::tiles {

inline constexpr int kTile = TILE_SIZE;

inline int Noise(int x, int y, uint32_t seed) { return TileFractal(x, y, kTile, seed); }

// Shade lo..hi picked by noise (0..255) with ordered dithering.
inline uint8_t Dithered(int ramp, int lo, int hi, int noise, int x, int y) {
  const int v = lo * 16 + (hi - lo + 1) * noise / 16 + Bayer(x, y) - 8;
  return C(ramp, std::clamp(v / 16, lo, hi));
}

// Distance on the 32 x 32 torus, squared.
inline int WrapDist2(int x, int y, int cx, int cy) {
  const auto d = [](int a, int b) {
    const int v = ((a - b) % kTile + kTile) % kTile;
    return std::min(v, kTile - v);
  };
  return d(x, cx) * d(x, cx) + d(y, cy) * d(y, cy);
}

// Round shapes on the 32 x 32 torus, each lit from the top left; the one
// listed last wins where they overlap. Returns kNoBlob between them, else
// the shade offset (in 1/16 shades) of the pixel within its shape.
inline constexpr int kNoBlob = -1000000;
struct Blob {
  int x, y, r;
};

template <size_t N>
int BlobLight(int x, int y, const Blob (&blobs)[N]) {
  const auto off = [](int a, int b) {
    const int v = ((a - b) % kTile + kTile) % kTile;
    return v > kTile / 2 ? v - kTile : v;
  };
  int found = -1;
  for (size_t i = 0; i < N; ++i)
    if (WrapDist2(x, y, blobs[i].x, blobs[i].y) <= blobs[i].r * blobs[i].r) found = static_cast<int>(i);
  if (found < 0) return kNoBlob;
  const Blob& b = blobs[found];
  const int lx = off(x, b.x), ly = off(y, b.y);
  return 16 * 4 - 16 * 4 * (lx + ly) / (2 * b.r) - 16 * 3 * (lx * lx + ly * ly) / (b.r * b.r);
}

// --- shorelines ------------------------------------------------------------------
// How far into the land each pixel of a shore piece is (negative: in the
// water); a stage paints the depths with its own water and land.

// Where the shore crosses the line at `t` (0..31): 16 +- 3, periodic.
inline int Shore(int t) { return 16 + (TileNoise(t, 0, kTile, 8, 15) - 128) * 3 / 128; }

inline int WaterTopDepth(int x, int y) { return y - Shore(x); }
inline int LandTopDepth(int x, int y) { return Shore(x) - y - 1; }
inline int WaterLeftDepth(int x, int y) { return x - Shore(y); }
inline int LandLeftDepth(int x, int y) { return Shore(y) - x - 1; }

// From the centre of pixel (x, y) to the corner point (cx, cy), in half pixels, rounded down.
inline int HalfPixelDistance(int x, int y, int cx, int cy) {
  const int dx = 2 * (x - cx) + 1, dy = 2 * (y - cy) + 1, d2 = dx * dx + dy * dy;
  int d = 0;
  while ((d + 1) * (d + 1) <= d2) ++d;
  return d;
}

inline int FloorHalf(int v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }

// Rounded shore corners: a cape is land within a quarter circle about the
// corner (cx, cy), a bay is water there. Both meet the straight coast tiles
// where those cross a tile edge, Shore(0) from the corner.
template <int CX, int CY>
int CapeDepth(int x, int y) {
  return FloorHalf(2 * (kTile - Shore(0)) - HalfPixelDistance(x, y, CX, CY));
}

template <int CX, int CY>
int BayDepth(int x, int y) {
  return FloorHalf(HalfPixelDistance(x, y, CX, CY) - 2 * Shore(0));
}

// --- placing tiles on the sheet ----------------------------------------------------

struct TilePlace {
  RECT cell;
  uint8_t (*paint)(int, int);
  const char* content;
};

inline void Paint(Cell cell, uint8_t (*paint)(int, int)) {
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) cell.Set(x, y, paint(x, y));
}

template <size_t N>
void PlaceTiles(Sheet& sheet, const TilePlace (&tiles)[N]) {
  for (const TilePlace& t : tiles) Paint(sheet.Place(Table::kTiles, t.cell, "", t.content), t.paint);
}

}  // namespace sheetgen::tiles
