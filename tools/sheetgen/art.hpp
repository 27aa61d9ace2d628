// The sheet's pictures, grouped by what they show, and the strokes the
// craft of every stage share.
#pragma once

#include <string>

#include "sheetgen/canvas.hpp"
#include "sheetgen/palette.hpp"
#include "sheetgen/sheet.hpp"

namespace sheetgen {

// Every craft is outlined in a very dark blue, never in the transparent black.
inline constexpr uint8_t kInk = C(R_STEEL, 0);

// An engine glow: white core, orange fringe, `len` pixels long from (x, y)
// along +dy (1 = down, -1 = up).
void Flame(Cell& cell, int x, int y, int width, int len, int dy);
// A canopy or dome of cyan glass.
void Glass(Cell& cell, const Mask& m);

// A craft with the second picture that alternates with it.
struct Craft {
  RECT first, second;
  void (*paint)(Cell&, int variant);
  const char* name;
  const char* look;
  const char* secondLook;
};

template <size_t N>
void PlaceCraft(Sheet& sheet, const Craft (&craft)[N]) {
  for (const Craft& c : craft) {
    Cell first = sheet.Place(Table::kData, c.first, c.name, c.look);
    c.paint(first, 0);
    Cell second = sheet.Place(Table::kData, c.second, c.name + std::string(", frame 2"), c.secondLook);
    c.paint(second, 1);
  }
}

// Shared by every stage's sheet.
void DrawPlayerShip(Cell& cell);   // 32 x 32, nose up
void DrawShip(Sheet& sheet);       // the player's ship
void DrawEffects(Sheet& sheet);    // gauge, bomb icon, explosions, shot, bullets, items
void DrawScreenTiles(Sheet& sheet);  // the title's and the stage clear's backgrounds

// Stage 1: the coast.
void DrawCraft(Sheet& sheet);    // the enemy craft and the ground guns
void DrawCarrier(Sheet& sheet);  // the carrier and its parts
void DrawTiles(Sheet& sheet);    // its terrain

// Stage 2: the volcano.
void DrawVolcanoCraft(Sheet& sheet);
void DrawVolcanoCarriers(Sheet& sheet);  // the mid-stage barge, the fortress and their parts
void DrawVolcanoTiles(Sheet& sheet);

}  // namespace sheetgen
