#include "sheetgen/sheet.hpp"

#include <stdexcept>

namespace sheetgen {
namespace {

std::string Size(const RECT& r) { return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top); }

// `first`, plus `step` for each cell along a line, plus `line` for each line.
std::string Coordinate(int32_t first, int32_t step, const std::string& along, int32_t line, const std::string& across) {
  std::string s = std::to_string(first);
  if (step != 0) s += " + " + std::to_string(step) + " " + along;
  if (line != 0) s += " + " + std::to_string(line) + " " + across;
  return s;
}

}  // namespace

void Sheet::List(Table table, const RECT& cell, const std::string& name, const std::string& content) {
  m_listings.push_back(
      {table, name, "(" + std::to_string(cell.left) + ", " + std::to_string(cell.top) + ")", Size(cell), content});
}

Cell Sheet::Place(Table table, const RECT& cell, const std::string& name, const std::string& content) {
  List(table, cell, name, content);
  return Cell(*this, cell);
}

void Sheet::ListRun(Table table, const std::vector<RECT>& cells, const std::string& index, const std::string& name,
                    const std::string& content) {
  // The formula comes from the first cells; the rest must follow it, or the
  // table would send the reader to the wrong place.
  const RECT& a = cells[0];
  const int32_t dx = cells[1].left - a.left, dy = cells[1].top - a.top;
  size_t perLine = 1;
  while (perLine < cells.size() && (dy == 0 ? cells[perLine].top == a.top : cells[perLine].left == a.left)) ++perLine;
  std::string along = index, across;
  int32_t lineX = 0, lineY = 0;
  if (perLine < cells.size()) {
    along = "(" + index + " mod " + std::to_string(perLine) + ")";
    across = "(" + index + " div " + std::to_string(perLine) + ")";
    lineX = cells[perLine].left - a.left;
    lineY = cells[perLine].top - a.top;
  }
  for (size_t i = 0; i < cells.size(); ++i) {
    const auto k = static_cast<int32_t>(i % perLine), line = static_cast<int32_t>(i / perLine);
    if (cells[i] != CellRect(a.left + dx * k + lineX * line, a.top + dy * k + lineY * line, a.right - a.left,
                             a.bottom - a.top))
      throw std::logic_error(name + ": the cells are not a grid");
  }
  m_listings.push_back({table, name,
                        "(" + Coordinate(a.left, dx, along, lineX, across) + ", " +
                            Coordinate(a.top, dy, along, lineY, across) + ")",
                        Size(a), content});
}

std::string SheetDoc(const std::vector<Listing>& listings, const SheetText& text) {
  const auto rows = [&](Table table) {
    std::string s;
    for (const Listing& l : listings) {
      if (l.table != table) continue;
      s += table == Table::kTiles ? "| " + l.position + " | " + l.content + " |\n"
                                  : "| " + l.name + " | " + l.position + " | " + l.size + " | " + l.content + " |\n";
    }
    return s;
  };
  const std::string cellHead = "| Cell | Position | Size | Content |\n|---|---|---|---|\n";
  return "# Sprite sheet cells\n\n"
         "`" + text.sheetFile + "` is " + std::to_string(SHEET_WIDTH) + " x " + std::to_string(SHEET_HEIGHT) +
         " pixels, 8 bits per pixel, written by `kestrova-sheetgen`\n"
         "(`tools/sheetgen/`) with this file; regenerate both with `cmake --build --preset release --target assets`,\n"
         "never edit them by hand. Palette index 0 is pure black, the transparent colour of every keyed\n"
         "blit, and the only pure-black entry; every empty area is index 0. The palette is sixteen\n"
         "ramps of sixteen shades (index = ramp * 16 + shade): grey, steel, blue, cyan, green, forest,\n"
         "sand, orange, red, purple, brown, ice, water, rock, magenta, fire.\n\n"
         "Positions are the cell's top-left corner (x, y) on the sheet. The data files name enemy,\n"
         "item and tile images by these corners.\n\n"
         "## Fixed by the game code\n\n" + cellHead + rows(Table::kFixed) +
         "\n## Chosen for the data files\n\n"
         "Enemies face down (they fly toward the player). The variant directly below each enemy\n"
         "(y = " + std::to_string(RC_FIGHTER_B.top) + ") is its second image for image-change rows.\n\n" +
         cellHead + rows(Table::kData) +
         "\n## Background tiles (" + std::to_string(TILE_SIZE) + " x " + std::to_string(TILE_SIZE) +
         ", opaque, seamless)\n\n" +
         text.tilesNote + "\n\n| Position | Content |\n|---|---|\n" + rows(Table::kTiles) + "\n" + text.closing +
         "\n";
}

}  // namespace sheetgen
