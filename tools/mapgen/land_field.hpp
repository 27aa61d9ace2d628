// Land and water at the corners of the map's tiles. Corner (row, column) is
// shared by tiles row - 1 and row, column - 1 and column: a tile's sheet-top
// corners lie on its own row, its sheet-bottom corners on the next. The shore
// piece of a tile follows from its four corners.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "data/sheet_geometry.hpp"
#include "mapgen/journey.hpp"

namespace mapgen {

class LandField {
 public:
  bool At(int row, int column) const;  // water outside the field
  // Land at corners first..last (inclusive) of a row.
  void SetLand(int row, int firstColumn, int lastColumn);
  // A tile whose land corners touch only diagonally has no shore piece: its
  // water corners become land, until no such tile is left.
  void CloseDiagonals();
  // Which corners of tile (row, column) are land, as an index into SHORE_TILES.
  int CornerMask(int row, int column) const;

 private:
  std::array<std::array<bool, MAP_COLUMNS + 1>, MAP_ROWS + 1> m_land{};
};

// What a stage's ground is made of: the tile of open (all four corners
// open), of solid (all land) and of each shore between, and the corner mask
// each row must have (-1 for any), with the words its error names them by.
struct Ground {
  std::function<int(int row)> required;
  const char* openName;
  const char* solidName;
  std::function<RECT(int row)> open;
  std::function<RECT(int row, int column)> solid;
  const std::array<RECT, 16>& shores;
};

// The field laid in tiles row by row, left to right; false with the reason
// where a row's required mask is not met.
bool LayTiles(const LandField& land, const Ground& ground, TileMap& map, std::string& error);

}  // namespace mapgen
