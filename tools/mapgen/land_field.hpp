// Land and water at the corners of the map's tiles. Corner (row, column) is
// shared by tiles row - 1 and row, column - 1 and column: a tile's sheet-top
// corners lie on its own row, its sheet-bottom corners on the next. The shore
// piece of a tile follows from its four corners.
#pragma once

#include <array>

#include "data/sheet_geometry.hpp"

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

}  // namespace mapgen
