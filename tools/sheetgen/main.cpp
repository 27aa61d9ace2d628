// Draws the sprite sheet, the window icon and the desktop's icons, and writes
// the sheet's table of cells for artists and designers.
// usage: kestrova-sheetgen SHEET.bmp ICON.bmp SHEET.md ICONS
// ICONS receives hicolor-style NxN/apps/kestrova.png files.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/byte_file.hpp"
#include "common/png_file.hpp"
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

// The ship on a dark, faintly starry background, `size` pixels square. The
// 32-pixel picture is the window icon; whole multiples of it are that picture
// enlarged pixel for pixel, and other sizes are drawn afresh at their own size
// so that their edges stay as sharp.
Canvas MakeIcon(int size) {
  if (size > 32 && size % 32 == 0) {
    const Canvas art = MakeIcon(32);
    Canvas icon(size, size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) icon.Set(x, y, art.Get(x * 32 / size, y * 32 / size));
    return icon;
  }
  Canvas icon(size, size);
  Cell back(icon, 0, 0, size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // The 32-pixel background's pixel under this one's centre.
      const int gx = (2 * x + 1) * 16 / size, gy = (2 * y + 1) * 16 / size;
      const uint32_t h = Hash(gx, gy, 77);
      back.Set(x, y, h % 23 == 0 ? C(R_ICE, static_cast<int>(h >> 8) % 6 + 6) : C(R_STEEL, 1 + gy / 11));
    }
  }
  Canvas ship(size, size);
  Cell shipCell(ship, 0, 0, size, size);
  DrawPlayerShip(shipCell);
  back.Overlay(shipCell);
  return icon;
}

// The desktop's icon sizes, and the browser's 192 and 512, each in the folder
// an icon theme keeps it in.
bool WriteIcons(const std::string& folder, const std::array<Rgb, 256>& palette) {
  std::vector<uint8_t> rgb;
  for (const Rgb& c : palette) rgb.insert(rgb.end(), {c.r, c.g, c.b});
  for (const int size : {16, 32, 48, 64, 128, 192, 256, 512}) {
    const std::string dir = folder + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
      std::fprintf(stderr, "kestrova-sheetgen: cannot make the folder %s: %s\n", dir.c_str(), error.message().c_str());
      return false;
    }
    const Canvas icon = MakeIcon(size);
    std::vector<uint8_t> pixels;
    pixels.reserve(static_cast<size_t>(size) * static_cast<size_t>(size));
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) pixels.push_back(icon.Get(x, y));
    if (!tools::WritePng8("kestrova-sheetgen", dir + "/kestrova.png", size, size, pixels, rgb)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: kestrova-sheetgen SHEET.bmp ICON.bmp SHEET.md ICONS\n");
    return 2;
  }
  const auto palette = MakePalette();
  const Sheet sheet = MakeSheet();
  const std::string doc = SheetDoc(sheet.Listings());
  if (!WriteBmp8(argv[1], sheet, palette)) return 1;
  if (!WriteBmp8(argv[2], MakeIcon(32), palette)) return 1;
  if (!WriteIcons(argv[4], palette)) return 1;
  return tools::WriteWholeFile("kestrova-sheetgen", argv[3], {doc.begin(), doc.end()}) ? 0 : 1;
}
