// The stage's 500-row journey: open sea, islands, a coast, grassland with
// roads and forests, a walled base with its runway, and out to sea again,
// whose last rows join the first when the map repeats.
#pragma once

#include <string>

#include "mapgen/tiles.hpp"

namespace mapgen {

// False with the reason when water and land would meet where no tile joins them.
bool BuildJourney(TileMap& map, std::string& error);

}  // namespace mapgen
