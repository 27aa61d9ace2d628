#include "sheetgen/canvas.hpp"

#include <algorithm>
#include <cstddef>

namespace sheetgen {

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0) {}

uint8_t Canvas::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
}

void Canvas::Set(int x, int y, uint8_t c) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)] = c;
}

void Cell::Fill(uint8_t c) {
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x) Set(x, y, c);
}

void Cell::Outline(uint8_t c) {
  std::vector<uint8_t> edge(static_cast<size_t>(m_w * m_h), 0);
  for (int y = 0; y < m_h; ++y) {
    for (int x = 0; x < m_w; ++x) {
      if (Get(x, y) != 0) continue;
      edge[static_cast<size_t>(y * m_w + x)] =
          Get(x - 1, y) != 0 || Get(x + 1, y) != 0 || Get(x, y - 1) != 0 || Get(x, y + 1) != 0;
    }
  }
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x)
      if (edge[static_cast<size_t>(y * m_w + x)]) Set(x, y, c);
}

void Cell::Overlay(const Cell& from) {
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x)
      if (from.Get(x, y) != 0) Set(x, y, from.Get(x, y));
}

Mask::Mask(int w, int h, int grid)
    : m_w(w), m_h(h), m_grid(grid > 0 ? grid : w), m_on(static_cast<size_t>(w) * static_cast<size_t>(h), 0) {}

int Mask::Pixels(int gridLength) const { return std::max(1, gridLength * m_w / m_grid); }

bool Mask::At(int x, int y) const {
  return x >= 0 && y >= 0 && x < m_w && y < m_h && m_on[static_cast<size_t>(y * m_w + x)] != 0;
}

void Mask::Set(int x, int y, bool on) {
  if (x >= 0 && y >= 0 && x < m_w && y < m_h) m_on[static_cast<size_t>(y * m_w + x)] = on ? 1 : 0;
}

// Pixel centres are compared with shapes in half pixels of the grid, times the
// mask's width: exact integers at any scale.
Mask& Mask::Ellipse(int cx2, int cy2, int rx2, int ry2, bool on) {
  const int64_t rx = int64_t{rx2} * m_w, ry = int64_t{ry2} * m_w, a = rx * rx, b = ry * ry;
  for (int y = 0; y < m_h; ++y) {
    for (int x = 0; x < m_w; ++x) {
      const int64_t dx = int64_t{2 * x + 1} * m_grid - int64_t{cx2} * m_w;
      const int64_t dy = int64_t{2 * y + 1} * m_grid - int64_t{cy2} * m_w;
      if (dx * dx * b + dy * dy * a <= a * b) Set(x, y, on);
    }
  }
  return *this;
}

Mask& Mask::Polygon(const std::vector<Point>& p, bool on) {
  if (p.size() < 3) return *this;
  const size_t n = p.size();
  for (int y = 0; y < m_h; ++y) {
    for (int x = 0; x < m_w; ++x) {
      // Crossing test at the pixel centre, doubled so that at the grid's own
      // size it never lies on a corner's row (the half-open test counts a
      // corner once at other sizes).
      const int64_t px = int64_t{2 * x + 1} * m_grid, py = int64_t{2 * y + 1} * m_grid;
      bool inside = false;
      for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const int64_t ax = int64_t{2 * p[j].x} * m_w, ay = int64_t{2 * p[j].y} * m_w;
        const int64_t bx = int64_t{2 * p[i].x} * m_w, by = int64_t{2 * p[i].y} * m_w;
        if ((ay > py) == (by > py)) continue;
        const int64_t lhs = (px - ax) * (by - ay), rhs = (py - ay) * (bx - ax);
        if (by > ay ? lhs < rhs : lhs > rhs) inside = !inside;
      }
      if (inside) Set(x, y, on);
    }
  }
  return *this;
}

Mask& Mask::Rect(int x0, int y0, int w, int h, bool on) {
  const auto inside = [&](int pixel, int from, int length) {
    const int64_t centre = int64_t{2 * pixel + 1} * m_grid;
    return centre >= int64_t{2 * from} * m_w && centre < int64_t{2 * (from + length)} * m_w;
  };
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x)
      if (inside(x, x0, w) && inside(y, y0, h)) Set(x, y, on);
  return *this;
}

Mask& Mask::MirrorX() {
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x)
      if (At(x, y)) Set(m_w - 1 - x, y, true);
  return *this;
}

Mask& Mask::Add(const Mask& other) {
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x)
      if (other.At(x, y)) Set(x, y, true);
  return *this;
}

Mask& Mask::Cut(const Mask& other) {
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x)
      if (other.At(x, y)) Set(x, y, false);
  return *this;
}

std::vector<int> Mask::Depth(int cap) const {
  std::vector<int> d(m_on.size());
  for (size_t i = 0; i < d.size(); ++i) d[i] = m_on[i] ? cap : 0;
  const auto at = [&](const std::vector<int>& v, int x, int y) {
    return (x < 0 || y < 0 || x >= m_w || y >= m_h) ? 0 : v[static_cast<size_t>(y * m_w + x)];
  };
  for (int pass = 0; pass < cap; ++pass) {
    std::vector<int> next = d;
    for (int y = 0; y < m_h; ++y) {
      for (int x = 0; x < m_w; ++x) {
        if (!At(x, y)) continue;
        const int m = std::min({at(d, x - 1, y), at(d, x + 1, y), at(d, x, y - 1), at(d, x, y + 1)});
        next[static_cast<size_t>(y * m_w + x)] = std::min(cap, m + 1);
      }
    }
    d.swap(next);
  }
  return d;
}

int Bayer(int x, int y) {
  static constexpr int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return kMatrix[y & 3][x & 3];
}

void PaintFn(Cell& cell, const Mask& mask, int ramp, int lo, int hi, const std::function<int(int, int)>& value) {
  for (int y = 0; y < mask.H(); ++y) {
    for (int x = 0; x < mask.W(); ++x) {
      if (!mask.At(x, y)) continue;
      const int v = std::max(0, value(x, y) + Bayer(x, y));
      cell.Set(x, y, static_cast<uint8_t>(ramp * 16 + std::clamp(v / 16, lo, hi)));
    }
  }
}

void PaintShaded(Cell& cell, const Mask& mask, const Shading& s) {
  const std::vector<int> d = mask.Depth(mask.Pixels(s.bevel + 1));
  const int w = mask.W();
  const auto at = [&](int x, int y) {
    return (x < 0 || y < 0 || x >= w || y >= mask.H()) ? 0 : d[static_cast<size_t>(y * w + x)];
  };
  int top = mask.H(), bottom = 0;
  for (int y = 0; y < mask.H(); ++y)
    for (int x = 0; x < w; ++x)
      if (mask.At(x, y)) top = std::min(top, y), bottom = std::max(bottom, y);
  const int span = std::max(1, bottom - top);
  PaintFn(cell, mask, s.ramp, s.lo, s.hi, [&](int x, int y) {
    const int g = (at(x + 1, y) - at(x - 1, y)) + (at(x, y + 1) - at(x, y - 1));
    return s.base * 16 + s.light * g * 8 + s.fall * 16 * (span - 2 * (y - top)) / (2 * span);
  });
}

int Sin16(int step) {
  static constexpr int kQuarter[5] = {0, 98, 181, 237, 256};
  const int s = ((step % 16) + 16) % 16;
  if (s <= 4) return kQuarter[s];
  if (s <= 8) return kQuarter[8 - s];
  if (s <= 12) return -kQuarter[s - 8];
  return -kQuarter[16 - s];
}

int Cos16(int step) { return Sin16(step + 4); }

Point Turn(Point p, int cx, int cy, int step) {
  const int dx = p.x - cx, dy = p.y - cy, c = Cos16(step), s = Sin16(step);
  // Round to nearest: the products are exact multiples of 1/256.
  const auto round = [](int v) { return v >= 0 ? (v + 128) / 256 : -((-v + 128) / 256); };
  return {cx + round(dx * c - dy * s), cy + round(dx * s + dy * c)};
}

uint32_t Hash(int x, int y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

int TileNoise(int x, int y, int period, int step, uint32_t seed) {
  const int cells = period / step;
  const auto wrap = [&](int v) { return ((v % cells) + cells) % cells; };
  const int px = ((x % period) + period) % period, py = ((y % period) + period) % period;
  const int gx = px / step, gy = py / step, fx = px % step, fy = py % step;
  const auto corner = [&](int cx, int cy) { return static_cast<int>(Hash(wrap(cx), wrap(cy), seed) & 255u); };
  const int top = corner(gx, gy) * (step - fx) + corner(gx + 1, gy) * fx;
  const int bottom = corner(gx, gy + 1) * (step - fx) + corner(gx + 1, gy + 1) * fx;
  return (top * (step - fy) + bottom * fy) / (step * step);
}

int TileFractal(int x, int y, int period, uint32_t seed) {
  return (4 * TileNoise(x, y, period, 16, seed) + 2 * TileNoise(x, y, period, 8, seed + 1) +
          TileNoise(x, y, period, 4, seed + 2)) /
         7;
}

}  // namespace sheetgen
