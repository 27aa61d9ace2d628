// Pixel buffers, shape masks and the shading used by all the sheet's art.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "data/sheet_geometry.hpp"

namespace sheetgen {

class Canvas {
 public:
  Canvas(int width, int height);
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  uint8_t Get(int x, int y) const;     // 0 outside
  void Set(int x, int y, uint8_t c);   // dropped outside

 private:
  int m_width, m_height;
  std::vector<uint8_t> m_pixels;
};

// One rectangular cell of a canvas; coordinates are cell-relative and
// nothing is ever written outside the cell.
class Cell {
 public:
  Cell(Canvas& canvas, int x, int y, int w, int h) : m_canvas(canvas), m_x(x), m_y(y), m_w(w), m_h(h) {}
  Cell(Canvas& canvas, const RECT& r) : Cell(canvas, r.left, r.top, r.right - r.left, r.bottom - r.top) {}
  int W() const { return m_w; }
  int H() const { return m_h; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_w && y < m_h; }
  uint8_t Get(int x, int y) const { return Inside(x, y) ? m_canvas.Get(m_x + x, m_y + y) : 0; }
  void Set(int x, int y, uint8_t c) {
    if (Inside(x, y)) m_canvas.Set(m_x + x, m_y + y, c);
  }
  void Fill(uint8_t c);
  // Paints every still-empty pixel that touches a painted one (4-neighbours).
  void Outline(uint8_t c);
  // Copies the painted pixels of `from` (same size) over this cell.
  void Overlay(const Cell& from);

 private:
  Canvas& m_canvas;
  int m_x, m_y, m_w, m_h;
};

struct Point {
  int x, y;
};

// A set of pixels of a cell-sized area. Shapes are given in pixel-corner
// coordinates of a picture `grid` pixels wide (the mask's own width unless
// given), scaled to the mask: art drawn for 32 x 32 can be drawn afresh at any
// size. A pixel belongs to a shape when its centre is inside.
class Mask {
 public:
  Mask(int w, int h, int grid = 0);
  int W() const { return m_w; }
  int H() const { return m_h; }
  // A length of the grid in the mask's pixels, at least 1.
  int Pixels(int gridLength) const;
  bool At(int x, int y) const;
  void Set(int x, int y, bool on);
  // Centre and radii in half grid pixels: (32, 32, 20, 20) is a circle of
  // radius 10 centred on the corner point (16, 16).
  Mask& Ellipse(int cx2, int cy2, int rx2, int ry2, bool on = true);
  Mask& Polygon(const std::vector<Point>& corners, bool on = true);
  Mask& Rect(int x, int y, int w, int h, bool on = true);
  // Adds the left-right mirror image.
  Mask& MirrorX();
  Mask& Add(const Mask& other);
  Mask& Cut(const Mask& other);
  // Distance (4-connected, capped) of each pixel to the nearest pixel outside.
  std::vector<int> Depth(int cap) const;

 private:
  int m_w, m_h, m_grid;
  std::vector<uint8_t> m_on;
};

// Ordered-dither threshold in 1/16 shade steps.
int Bayer(int x, int y);

// Paints the mask with a ramp: `value(x, y)` gives the shade in 1/16 steps;
// it is ordered-dithered and clamped to lo..hi.
void PaintFn(Cell& cell, const Mask& mask, int ramp, int lo, int hi, const std::function<int(int, int)>& value);

// Pillow shading lit from the top left: flat shade `base`, edges lighter or
// darker by `light` shades per step of the bevel, plus a top-to-bottom fall of
// `fall` shades over the mask's height.
struct Shading {
  int ramp;
  int base;
  int light = 2;
  int fall = 2;
  int bevel = 2;
  int lo = 1;
  int hi = 15;
};
void PaintShaded(Cell& cell, const Mask& mask, const Shading& s);

// Sine and cosine of `step` sixteenths of a turn, times 256 (y grows down).
int Sin16(int step);
int Cos16(int step);
// `p` turned by `step` sixteenths of a turn about the corner point (cx, cy).
Point Turn(Point p, int cx, int cy, int step);

// Deterministic hashing and tileable value noise (integers only).
uint32_t Hash(int x, int y, uint32_t seed);
// 0..255, periodic in both axes with period `period`; lattice spacing `step`
// must divide the period.
int TileNoise(int x, int y, int period, int step, uint32_t seed);
// Sum of three octaves (steps 16, 8, 4), 0..255.
int TileFractal(int x, int y, int period, uint32_t seed);

}  // namespace sheetgen
