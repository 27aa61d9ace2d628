// Draws the sprite sheet and the window icon, and writes the sheet's table of
// cells for artists and designers.
// usage: kestrova-sheetgen SHEET.bmp ICON.bmp SHEET.md
#include <cstdio>

#include "common/byte_file.hpp"
#include "sheetgen/art.hpp"
#include "sheetgen/bmp.hpp"
#include "sheetgen/font.hpp"
#include "sheetgen/palette.hpp"

namespace {

using namespace sheetgen;

// Each table of SHEET.md lists its cells in the order they are drawn here.
Sheet MakeSheet() {
  Sheet sheet;
  DrawShips(sheet);
  DrawScoreDigits(sheet);
  DrawEffects(sheet);
  DrawCarrier(sheet);
  DrawBigLetters(sheet);
  DrawSmallFont(sheet);
  DrawTiles(sheet);
  return sheet;
}

// The ship on a dark, faintly starry background.
Canvas MakeIcon() {
  Canvas icon(32, 32);
  Cell back(icon, 0, 0, 32, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const uint32_t h = Hash(x, y, 77);
      back.Set(x, y, h % 23 == 0 ? C(R_ICE, static_cast<int>(h >> 8) % 6 + 6) : C(R_STEEL, 1 + y / 11));
    }
  }
  Canvas ship(32, 32);
  Cell shipCell(ship, 0, 0, 32, 32);
  DrawPlayerShip(shipCell);
  back.Overlay(shipCell);
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: kestrova-sheetgen SHEET.bmp ICON.bmp SHEET.md\n");
    return 2;
  }
  const auto palette = MakePalette();
  const Sheet sheet = MakeSheet();
  const std::string doc = SheetDoc(sheet.Listings());
  if (!WriteBmp8(argv[1], sheet, palette)) return 1;
  if (!WriteBmp8(argv[2], MakeIcon(), palette)) return 1;
  return tools::WriteWholeFile("kestrova-sheetgen", argv[3], {doc.begin(), doc.end()}) ? 0 : 1;
}
