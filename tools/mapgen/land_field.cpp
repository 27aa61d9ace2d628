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

}  // namespace mapgen
