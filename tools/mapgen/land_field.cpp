#include "mapgen/land_field.hpp"

#include <cstddef>

namespace mapgen {

bool LandField::At(int row, int column) const {
  if (row < 0 || row > MAP_ROWS || column < 0 || column > MAP_COLUMNS) return false;
  return m_land[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void LandField::SetLand(int row, int firstColumn, int lastColumn) {
  if (row < 0 || row > MAP_ROWS) return;
  for (int column = firstColumn < 0 ? 0 : firstColumn; column <= lastColumn && column <= MAP_COLUMNS; ++column)
    m_land[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = true;
}

int LandField::CornerMask(int row, int column) const {
  return (At(row, column) ? 1 : 0) | (At(row, column + 1) ? 2 : 0) | (At(row + 1, column) ? 4 : 0) |
         (At(row + 1, column + 1) ? 8 : 0);
}

void LandField::CloseDiagonals() {
  for (bool changed = true; changed;) {
    changed = false;
    for (int row = 0; row < MAP_ROWS; ++row) {
      for (int column = 0; column < MAP_COLUMNS; ++column) {
        const int mask = CornerMask(row, column);
        if (mask != 6 && mask != 9) continue;
        SetLand(row, column, column + 1);
        SetLand(row + 1, column, column + 1);
        changed = true;
      }
    }
  }
}

bool LayTiles(const LandField& land, const Ground& ground, TileMap& map, std::string& error) {
  for (int row = 0; row < MAP_ROWS; ++row) {
    for (int column = 0; column < MAP_COLUMNS; ++column) {
      const int mask = land.CornerMask(row, column);
      RECT& tile = map[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      const int required = ground.required(row);
      if (required >= 0 && mask != required) {
        error = "row " + std::to_string(row) + " column " + std::to_string(column) + " must be " +
                (required == 0 ? ground.openName : ground.solidName);
        return false;
      }
      if (mask == 0) {
        tile = ground.open(row);
      } else if (mask == 15) {
        tile = ground.solid(row, column);
      } else {
        tile = ground.shores[static_cast<std::size_t>(mask)];
      }
    }
  }
  return true;
}

}  // namespace mapgen
