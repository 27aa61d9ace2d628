// The stage's 500-row journey: open sea, islands, a coast, grassland with
// roads and forests, a walled base with its runway, and out to sea again,
// whose last rows join the first when the map repeats.
#pragma once

#include <array>
#include <string>

#include "data/sheet_geometry.hpp"

namespace mapgen {

// Each tile by its cell on the sprite sheet, as the game reads the map.
using TileMap = std::array<std::array<RECT, MAP_COLUMNS>, MAP_ROWS>;

// False with the reason when water and land would meet where no tile joins them.
bool BuildJourney(TileMap& map, std::string& error);

}  // namespace mapgen
