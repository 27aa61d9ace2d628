// Each stage's 500-row journey, whose last rows join the first when the map
// repeats. Stage 1: open sea, islands, a coast, grassland with roads and
// forests, a walled base with its runway, and out to sea again. Stage 2: a
// crusted lava sea, basalt shores, a lava river, ash fields with a
// geothermal works, a lava channel, obsidian, and the caldera's lava lake.
#pragma once

#include <array>
#include <string>

#include "data/sheet_geometry.hpp"

namespace mapgen {

// Each tile by its cell on the sprite sheet, as the game reads the map.
using TileMap = std::array<std::array<RECT, MAP_COLUMNS>, MAP_ROWS>;

// False with the reason when water and land would meet where no tile joins them.
bool BuildJourney(TileMap& map, std::string& error);
// The same for stage 2, with lava for the water and basalt for the shore's land.
bool BuildVolcanoJourney(TileMap& map, std::string& error);

}  // namespace mapgen
