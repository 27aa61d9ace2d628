// The background tile map: MAP_ROWS x MAP_COLUMNS corners of 32 x 32 images
// on the sprite sheet, read as numbers of at most three characters.
#pragma once

#include <string>
#include <string_view>

#include "data/tables.hpp"

enum class TileMapResult { kLoaded, kMissing, kBad };

// Every rectangle is cleared first; kMissing (the file cannot be opened)
// leaves them all empty. kBad fills `error` with the file and line.
TileMapResult LoadTileMap(const std::string& path, TileMap& map, DataError* error);
// The same reader over bytes in memory (never kMissing); `file` names them in errors.
TileMapResult LoadTileMapBytes(std::string_view bytes, const std::string& file, TileMap& map, DataError* error);
