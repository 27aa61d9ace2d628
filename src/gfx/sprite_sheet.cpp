#include "gfx/sprite_sheet.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "data/sheet_geometry.hpp"
#include "gfx/bmp_reader.hpp"

namespace {

// True when no pixel of `r` is 0, which keyed blits leave out.
bool Opaque(const Surface& s, RECT r) {
  for (int32_t y = r.top; y < r.bottom; ++y) {
    const uint8_t* row = s.Row(y);
    if (std::find(row + r.left, row + r.right, uint8_t{0}) != row + r.right) return false;
  }
  return true;
}

}  // namespace

SheetResult LoadSpriteSheet(std::span<const uint8_t> bitmap, SpriteSheet& sheet) {
  if (bitmap.empty()) return SheetResult::NoResource;
  IndexedImage image;
  std::string error;
  if (!ReadIndexedBmp(bitmap, image, error)) return SheetResult::NotABitmap;
  if (image.width != SHEET_WIDTH || image.height != SHEET_HEIGHT) return SheetResult::WrongSize;
  // Black must be pixel value 0 so that it is transparent in keyed blits.
  std::array<uint8_t, 256> remap{};
  for (size_t i = 0; i < 256; ++i) {
    const Color c = image.palette[i];
    remap[i] = (c.r == 0 && c.g == 0 && c.b == 0) ? 0 : static_cast<uint8_t>(i);
  }
  sheet.pixels.Create(SHEET_WIDTH, SHEET_HEIGHT);
  for (size_t i = 0; i < image.pixels.size(); ++i) sheet.pixels.pixels[i] = remap[image.pixels[i]];
  sheet.tilesCoverPage = Opaque(sheet.pixels, RC_TITLE_TILE) && Opaque(sheet.pixels, RC_CLEAR_TILE);
  sheet.palette = image.palette;
  sheet.palette[0] = Color{};
  return SheetResult::Loaded;
}

const char* SheetMessage(SheetResult result) {
  switch (result) {
    case SheetResult::NoResource: return "ERROR Find Resource";
    case SheetResult::NotABitmap: return "ERROR LOAD IMAGE";
    case SheetResult::Loaded:
    case SheetResult::WrongSize: break;
  }
  return "";
}
