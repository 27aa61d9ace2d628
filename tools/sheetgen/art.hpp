// The sheet's pictures, grouped by what they show.
#pragma once

#include "sheetgen/sheet.hpp"

namespace sheetgen {

void DrawPlayerShip(Cell& cell);  // 32 x 32, nose up
void DrawShips(Sheet& sheet);     // the player's ship and the enemy craft
void DrawCarrier(Sheet& sheet);   // the carrier and its parts
void DrawEffects(Sheet& sheet);   // gauge, bomb icon, explosions, shot, bullets, items
void DrawTiles(Sheet& sheet);     // screen backgrounds and terrain

}  // namespace sheetgen
