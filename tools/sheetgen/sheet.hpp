// The sprite sheet being drawn, and the list of its cells that becomes
// assets/SHEET.md. The code that draws a cell lists it, with the words the
// artists' table gives it; each table keeps the order the cells were listed in.
#pragma once

#include <string>
#include <vector>

#include "sheetgen/canvas.hpp"

namespace sheetgen {

enum class Table { kFixed, kData, kTiles };  // fixed by the game code, chosen for the data files, background

struct Listing {
  Table table;
  std::string name, position, size, content;
};

class Sheet : public Canvas {
 public:
  Sheet() : Canvas(SHEET_WIDTH, SHEET_HEIGHT) {}
  void List(Table table, const RECT& cell, const std::string& name, const std::string& content);
  // Lists the cell and returns it to draw in.
  Cell Place(Table table, const RECT& cell, const std::string& name, const std::string& content);
  // Cells laid out in a grid, listed as one row whose position is a formula
  // in `index`, which counts the cells from 0.
  void ListRun(Table table, const std::vector<RECT>& cells, const std::string& index, const std::string& name,
               const std::string& content);
  const std::vector<Listing>& Listings() const { return m_listings; }

 private:
  std::vector<Listing> m_listings;
};

// What a stage's SHEET.md says of its sheet beyond the tables.
struct SheetText {
  std::string sheetFile;  // where the sheet is committed
  std::string tilesNote;  // below the heading of the background tiles
  std::string closing;    // after their table
};

// The text of SHEET.md.
std::string SheetDoc(const std::vector<Listing>& listings, const SheetText& text);

}  // namespace sheetgen
