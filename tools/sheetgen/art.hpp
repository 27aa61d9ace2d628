// The sheet's pictures, grouped by what they show.
#pragma once

#include "sheetgen/canvas.hpp"

namespace sheetgen {

void DrawPlayerShip(Cell& cell);  // 32 x 32, nose up
void DrawShips(Canvas& sheet);    // the player's ship, enemies and the carrier
void DrawEffects(Canvas& sheet);  // bullets, shot, explosions, gauge, bomb icon, items
void DrawTiles(Canvas& sheet);    // terrain and screen backgrounds

}  // namespace sheetgen
