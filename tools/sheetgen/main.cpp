// Draws the sprite sheet, the window icon and the desktop's icons, and writes
// the sheet's table of cells for artists and designers; or a later stage's
// whole sheet, the same in every cell the game's code draws, with its table;
// or the kana page the menu's Japanese is drawn from.
// usage: kestrova-sheetgen SHEET.bmp ICON.bmp SHEET.md ICONS
//        kestrova-sheetgen --stage 2 SHEET.bmp SHEET.md
//        kestrova-sheetgen --kana KANA.bmp
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
#include "sheetgen/kana.hpp"
#include "sheetgen/palette.hpp"

namespace {

using namespace sheetgen;

// What one stage's sheet draws of its own, and what its SHEET.md says.
struct StageArt {
  void (*craft)(Sheet&);
  void (*carriers)(Sheet&);
  void (*ground)(Sheet&);
  SheetText text;
};

const StageArt kCoast = {
    DrawCraft, DrawCarrier, DrawTiles,
    {"assets/sheet.bmp",
     "Terrain tiles contain no index-0 pixel. Shore tiles use the same water and sand as the plain\n"
     "tiles, so they join them along their water and land edges.",
     "Capes and bays meet the straight coast tiles where those cross a tile edge, so any outline\n"
     "of land drawn on the tile corners joins up. `kestrova-mapgen` (`tools/mapgen/`) writes\n"
     "`data/map.dat` from these tiles; the game shows each map row mirrored top-to-bottom, which\n"
     "the generator allows for."}};

const StageArt kVolcano = {
    DrawVolcanoCraft, DrawVolcanoCarriers, DrawVolcanoTiles,
    {"data/stage2/sheet.bmp",
     "Stage 2, the volcano: every cell the game's code draws is the same as on `assets/sheet.bmp`, the\n"
     "rest is this stage's own (`kestrova-sheetgen --stage 2`). Terrain tiles contain no index-0 pixel.\n"
     "Lava shores use the same lava and basalt as the plain tiles, so they join them along their lava\n"
     "and rock edges.",
     "Capes and bays meet the straight shore tiles where those cross a tile edge, as on stage 1's\n"
     "sheet. `kestrova-mapgen --stage 2` writes `data/stage2/map.dat` from these tiles."}};

// Each table of SHEET.md lists its cells in the order they are drawn here.
Sheet MakeSheet(const StageArt& art) {
  Sheet sheet;
  DrawShip(sheet);
  art.craft(sheet);
  DrawScoreDigits(sheet);
  DrawEffects(sheet);
  art.carriers(sheet);
  DrawBigLetters(sheet);
  DrawSmallFont(sheet);
  DrawScreenTiles(sheet);
  art.ground(sheet);
  return sheet;
}

bool WriteSheet(const StageArt& art, const char* bmp, const char* doc, const std::array<Rgb, 256>& palette) {
  const Sheet sheet = MakeSheet(art);
  const std::string text = SheetDoc(sheet.Listings(), art.text);
  return WriteBmp8(bmp, sheet, palette) &&
         tools::WriteWholeFile("kestrova-sheetgen", doc, {text.begin(), text.end()});
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
  const auto palette = MakePalette();
  if (argc == 5 && std::string(argv[1]) == "--stage" && std::string(argv[2]) == "2")
    return WriteSheet(kVolcano, argv[3], argv[4], palette) ? 0 : 1;
  if (argc == 3 && std::string(argv[1]) == "--kana") return WriteBmp8(argv[2], MakeKanaPage(), palette) ? 0 : 1;
  if (argc != 5 || std::string(argv[1]).rfind("--", 0) == 0) {
    std::fprintf(stderr, "usage: kestrova-sheetgen SHEET.bmp ICON.bmp SHEET.md ICONS\n"
                         "       kestrova-sheetgen --stage 2 SHEET.bmp SHEET.md\n"
                         "       kestrova-sheetgen --kana KANA.bmp\n");
    return 2;
  }
  if (!WriteBmp8(argv[2], MakeIcon(32), palette)) return 1;
  if (!WriteIcons(argv[4], palette)) return 1;
  return WriteSheet(kCoast, argv[1], argv[3], palette) ? 0 : 1;
}
