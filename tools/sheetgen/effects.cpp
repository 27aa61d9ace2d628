// Projectiles, explosions, the status graphics and the items.
#include <algorithm>
#include <array>

#include "sheetgen/art.hpp"
#include "sheetgen/font.hpp"
#include "sheetgen/palette.hpp"

namespace sheetgen {
namespace {

// Squared distance from a pixel centre to the corner point (cx, cy), in
// quarter pixels squared (doubled coordinates).
int Dist2(int x, int y, int cx, int cy) {
  const int dx = 2 * x + 1 - 2 * cx, dy = 2 * y + 1 - 2 * cy;
  return dx * dx + dy * dy;
}

int ISqrt(int v) {
  int r = 0;
  while ((r + 1) * (r + 1) <= v) ++r;
  return r;
}

// A glowing orb: white centre fading to the ramp's mid shade, dark rim.
void Orb(Cell& c, int ramp, int radius) {
  Mask m(16, 16);
  m.Ellipse(16, 16, 2 * radius, 2 * radius);
  const int r2 = 4 * radius * radius;
  PaintFn(c, m, ramp, 7, 15, [&](int x, int y) { return 16 * 15 - 9 * 16 * Dist2(x, y, 7, 7) / r2; });
  c.Outline(kInk);
}

void EnemyBullet(Cell& c) {
  Orb(c, R_MAGENTA, 5);
  c.Outline(C(R_MAGENTA, 12));  // a bright halo outside the dark rim
}

// Spread shot: a four-pointed star with a hot core.
void SpreadBullet(Cell& c) {
  Mask m(16, 16);
  m.Polygon({{8, 1}, {10, 6}, {15, 8}, {10, 10}, {8, 15}, {6, 10}, {1, 8}, {6, 6}});
  PaintFn(c, m, R_FIRE, 7, 15, [&](int x, int y) { return 16 * 15 - 16 * Dist2(x, y, 8, 8) / 14; });
  c.Outline(kInk);
}

// The player's shot, 9 x 12; drawn shrunk to 8 x 8, which keeps columns 0-7
// and rows 0, 1, 3, 4, 6, 7, 9 and 10.
void PlayerShot(Cell& c) {
  static constexpr std::array<const char*, 12> kRows = {
      "...oxo...", "..oxWxo..", "..xWWWx..", ".oxWWWxo.", ".oxWWWxo.", ".oxWWWxo.",
      ".oxWWWxo.", ".oxWWWxo.", "..xWWWx..", "..oxWxo..", "...oxo...", "....o....",
  };
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 9; ++x) {
      const char p = kRows[static_cast<size_t>(y)][x];
      if (p == 'W') c.Set(x, y, C(R_ICE, 15));
      if (p == 'x') c.Set(x, y, C(R_CYAN, 12));
      if (p == 'o') c.Set(x, y, C(R_CYAN, 6));
    }
  }
}

// Explosion stages: a flash, a fireball swelling into puffs, the puffs
// cooling to smoke and drifting apart; the last is a small bright puff (the
// bomb's ring is made of it). Everything stays within 15 px of the centre.
struct Stage {
  int core;    // radius of the central ball, pixels (0 = none)
  int puffs;   // puffs round it
  int spread;  // their distance from the centre
  int puffR;   // their radius
  int hot;     // shade at the centre
  int cool;    // shade at the cloud's outer reach
  int smoke;   // shades below this are smoke
  int sparks;  // bright specks thrown outward
};
constexpr std::array<Stage, 8> kStages = {{
    {5, 0, 0, 0, 16, 11, 0, 0},
    {7, 5, 4, 4, 16, 8, 0, 6},
    {9, 6, 6, 5, 15, 6, 0, 8},
    {10, 8, 8, 6, 15, 5, 4, 10},
    {8, 8, 10, 5, 13, 3, 6, 8},
    {4, 7, 10, 5, 11, 2, 8, 5},
    {0, 6, 11, 4, 8, 2, 9, 0},
    {3, 4, 2, 3, 15, 9, 0, 0},
}};

void Explosion(Cell& c, int k) {
  const Stage& s = kStages[static_cast<size_t>(k)];
  const uint32_t seed = 40 + static_cast<uint32_t>(k);
  // Centres of the puffs, in half pixels from the cell's corner.
  std::array<Point, 8> puff{};
  for (int i = 0; i < s.puffs; ++i) {
    const int step = (16 * i / s.puffs + static_cast<int>(Hash(i, k, seed) % 3)) % 16;
    const int reach = s.spread - static_cast<int>(Hash(i, k, seed + 1) % 3);
    const Point p = Turn({16 + reach, 16}, 16, 16, step);
    puff[static_cast<size_t>(i)] = {2 * p.x, 2 * p.y};
  }
  const int extent = std::max(s.core, s.spread + s.puffR);  // shade reaches `cool` here
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int d2 = Dist2(x, y, 16, 16);
      if (d2 > 4 * 15 * 15) continue;
      // Lit from the upper left: how far into the puff, toward its light side.
      int light = s.core > 0 && d2 <= 4 * s.core * s.core ? 8 : -1;
      for (int i = 0; i < s.puffs; ++i) {
        const Point p = puff[static_cast<size_t>(i)];
        const int dx = 2 * x + 1 - p.x, dy = 2 * y + 1 - p.y;
        if (dx * dx + dy * dy <= 4 * s.puffR * s.puffR) light = std::max(light, 4 - (dx + dy) / s.puffR);
      }
      if (light < 0) continue;
      const int v = 16 * s.hot - 16 * (s.hot - s.cool) * ISqrt(d2) / (2 * extent) + 4 * light +
                    (TileNoise(x, y, 32, 4, seed + 3) - 128) / 8 + Bayer(x, y);
      const int shade = std::max(v / 16, 1);
      c.Set(x, y, shade < s.smoke ? C(R_ROCK, 2 + shade) : C(R_FIRE, shade));
    }
  }
  // Sparks thrown clear of the cloud.
  for (int i = 0; i < s.sparks; ++i) {
    const int step = static_cast<int>(Hash(i, k, 50) % 16);
    const int reach = 11 + static_cast<int>(Hash(i, k, 51) % 4);
    const Point p = Turn({16 + reach, 16}, 16, 16, step);
    if (c.Get(p.x, p.y) == 0) c.Set(p.x, p.y, C(R_FIRE, 15 - static_cast<int>(Hash(i, k, 52) % 3)));
  }
  if (k == 0) {
    // The first flash: a four-way glint.
    for (int i = 6; i < 12; ++i) {
      for (const Point p : {Point{16, 16 - i}, Point{16, 15 + i}, Point{16 - i, 16}, Point{15 + i, 16}})
        c.Set(p.x, p.y, C(R_FIRE, 18 - i));
    }
  }
}

// White at the left to blue at the right, in 4-pixel segments.
void Gauge(Cell& c) {
  for (int x = 0; x < c.W(); ++x) {
    for (int y = 2; y < 14; ++y) {
      if (y == 2 || y == 13 || x % 4 == 3) {
        c.Set(x, y, C(R_BLUE, 3));
        continue;
      }
      const int v = 16 * 15 - 16 * 8 * x / (c.W() - 1) + 16 * (6 - y) / 3 + Bayer(x, y);
      const int shade = v / 16;
      c.Set(x, y, C(R_BLUE, shade > 15 ? 15 : shade));
    }
  }
}

void BombIcon(Cell& c) {
  Mask body(16, 16);
  body.Ellipse(14, 18, 10, 10);
  PaintShaded(c, body, {R_RED, 8, 3, 3, 2});
  c.Set(5, 6, C(R_RED, 15));
  Mask cap(16, 16);
  cap.Rect(8, 3, 3, 2);
  PaintShaded(c, cap, {R_STEEL, 9, 1, 0, 1});
  c.Set(11, 2, C(R_SAND, 10));
  c.Set(12, 1, C(R_FIRE, 15));
  c.Set(13, 1, C(R_FIRE, 11));
  c.Set(12, 0, C(R_FIRE, 11));
  c.Outline(kInk);
}

// An item capsule with its letter.
void Item(Cell& c, int ramp, char letter) {
  Mask capsule(16, 16);
  capsule.Polygon({{4, 1}, {11, 1}, {14, 4}, {14, 11}, {11, 14}, {4, 14}, {1, 11}, {1, 4}});
  PaintShaded(c, capsule, {ramp, 8, 2, 4, 2, 3, 15});
  for (int x = 4; x < 11; ++x) c.Set(x, 2, C(ramp, 14));  // gloss
  Letter(c, letter, 5, 5, C(ramp, 2));
  Letter(c, letter, 4, 4, C(R_GREY, 15));
  c.Outline(kInk);
}

}  // namespace

void DrawEffects(Sheet& sheet) {
  Cell gauge = sheet.Place(Table::kFixed, RC_GAUGE, "Energy gauge",
                           "white-to-blue bar in 4-pixel segments (drawn 4 px per energy point)");
  Gauge(gauge);
  Cell bomb = sheet.Place(Table::kFixed, RC_BOMB_ICON, "Bomb-stock icon", "red bomb with a lit fuse");
  BombIcon(bomb);
  sheet.ListRun(Table::kFixed, {g_rcExplosion.begin(), g_rcExplosion.end()}, "k", "Explosion image k (0..7)",
                "0 flash, 1-3 growing fireball, 4-6 fireball breaking into smoke, 7 small bright puff (the bomb ring)");
  for (int k = 0; k < 8; ++k) {
    Cell cell(sheet, g_rcExplosion[static_cast<size_t>(k)]);
    Explosion(cell, k);
  }
  Cell shot = sheet.Place(Table::kFixed, RC_PLAYER_SHOT, "Player shot", "cyan bolt, drawn shrunk to 8 x 8");
  PlayerShot(shot);
  Cell bullet = sheet.Place(Table::kFixed, RC_BULLET, "Enemy bullet", "magenta orb, dark rim and bright halo");
  EnemyBullet(bullet);
  Cell spread = sheet.Place(Table::kFixed, RC_SPREAD_BULLET, "Spread bullet", "orange four-pointed star, dark rim");
  SpreadBullet(spread);
  Cell levelUp = sheet.Place(Table::kData, RC_ITEM_LEVEL, "Item level-up \"P\"", "blue capsule with P");
  Item(levelUp, R_BLUE, 'P');
  Cell bombItem = sheet.Place(Table::kData, RC_ITEM_BOMB, "Item bomb \"B\"", "red capsule with B");
  Item(bombItem, R_RED, 'B');
  Cell energy = sheet.Place(Table::kData, RC_ITEM_ENERGY, "Item energy \"E\"", "green capsule with E");
  Item(energy, R_GREEN, 'E');
}

}  // namespace sheetgen
