#include "gfx/kana_text.hpp"

#include <algorithm>

#include "data/kana_geometry.hpp"
#include "gfx/bmp_reader.hpp"

namespace {

constexpr int32_t kNoCharacter = -1;

// The code point `text` starts with and the bytes it takes; kNoCharacter for
// a byte that starts no UTF-8 sequence (one byte, as a gap).
int32_t NextCharacter(std::string_view text, size_t& length) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  length = 1;
  const uint8_t lead = byte(0);
  if (lead < 0x80) return lead;
  const size_t more = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
  if (more == 0 || lead >= 0xF5 || text.size() <= more) return kNoCharacter;
  int32_t code = lead & (0x3F >> more);
  for (size_t i = 1; i <= more; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return kNoCharacter;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  length = more + 1;
  return code;
}

}  // namespace

bool LoadKanaPage(std::span<const uint8_t> bitmap, Surface& page, std::string& error) {
  if (bitmap.empty()) {
    error = "missing";
    return false;
  }
  IndexedImage image;
  if (!ReadIndexedBmp(bitmap, image, error)) return false;
  if (image.width != KANA_PAGE_WIDTH || image.height != KANA_PAGE_HEIGHT) {
    error = std::to_string(image.width) + " x " + std::to_string(image.height) + " pixels, not " +
            std::to_string(KANA_PAGE_WIDTH) + " x " + std::to_string(KANA_PAGE_HEIGHT);
    return false;
  }
  page.Create(image.width, image.height);
  // Black is left out of keyed blits as on the sheet.
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const Color c = image.palette[image.pixels[i]];
    page.pixels[i] = c.r == 0 && c.g == 0 && c.b == 0 ? 0 : image.pixels[i];
  }
  return true;
}

void DrawLetters(CDisplay& display, const Surface* kana, std::string_view text, int32_t x, int32_t y, int32_t scale) {
  while (!text.empty()) {
    size_t length = 0;
    const int32_t code = NextCharacter(text, length);
    if (code >= 0 && code < 0x80) {
      display.DrawSmallText(text.substr(0, 1), x, y, scale);
    } else if (kana != nullptr && IsKana(code)) {
      display.BltClipped(*kana, x, y, x + 8 * scale, y + 8 * scale, KanaCellRect(code));
    }
    text.remove_prefix(length);
    x += 8 * scale;
  }
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
}
