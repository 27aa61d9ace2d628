#include "gfx/display.hpp"

#include <algorithm>

#include "data/sheet_geometry.hpp"

namespace {

// Character code behind each small-glyph index; 0 = no glyph.
constexpr std::array<char, 46> kSmallGlyphChars = [] {
  std::array<char, 46> c{};
  c[6] = '+';
  for (int i = 0; i < 10; ++i) c[static_cast<size_t>(7 + i)] = static_cast<char>('0' + i);
  for (int i = 0; i < 26; ++i) c[static_cast<size_t>(17 + i)] = static_cast<char>('A' + i);
  c[43] = '/';
  c[44] = '?';
  c[45] = '\'';  // drawn as a hollow square: the selection box
  return c;
}();

const char* VideoMessage(platform::VideoResult result, bool fullScreen) {
  using platform::VideoResult;
  switch (result) {
    case VideoResult::NoDevice: return "ERROR m_pDirectDraw";
    case VideoResult::NoCooperation: return "ERROR SetCoop OK";
    case VideoResult::NoDisplayMode: return "ERROR Set DisplayMode";
    case VideoResult::NoPrimary: return fullScreen ? "ERROR ( FULL ) DDSPRimary" : "ERROR WIndow Mode DDSPRimary";
    case VideoResult::NoBackPage:
      return fullScreen ? "( FULL )Attack Surface ERROR" : "ERROR Windw Mode DDSBackScreen";
    case VideoResult::Ok: break;
  }
  return "";
}

// True when no pixel of `r` is 0, which keyed blits leave out.
bool Opaque(const Surface& s, RECT r) {
  for (int32_t y = r.top; y < r.bottom; ++y) {
    const uint8_t* row = s.Row(y);
    if (std::find(row + r.left, row + r.right, uint8_t{0}) != row + r.right) return false;
  }
  return true;
}

}  // namespace

CDisplay::CDisplay() {
  for (int32_t i = 0; i < 26; ++i) m_rcBigGlyph[static_cast<size_t>(i)] = BigGlyphRect(i);
  for (size_t i = 0; i < kSmallGlyphChars.size(); ++i) {
    if (kSmallGlyphChars[i] != 0) m_rcSmallGlyph[i] = CharCellRect(kSmallGlyphChars[i]);
  }
}

int32_t CDisplay::InitDirectDraw(platform::Platform& platform) {
  m_platform = &platform;
  const platform::VideoResult result = platform.InitVideo(m_bFullScreen != 0);
  if (result != platform::VideoResult::Ok) {
    platform.ShowMessageBox(VideoMessage(result, m_bFullScreen != 0));
    return 0;
  }
  m_back.Create(platform::kPageWidth, platform::kPageHeight);
  m_sheet.Create(SHEET_WIDTH, SHEET_HEIGHT);
  m_scroll.Create(SCROLL_WIDTH, SCROLL_HEIGHT);
  return 1;
}

int32_t CDisplay::LoadSpriteSheet(std::span<const uint8_t> bitmap) {
  if (m_platform == nullptr) return 0;
  if (bitmap.empty()) {
    m_platform->ShowMessageBox("ERROR Find Resource");
    return 0;
  }
  platform::IndexedImage image;
  std::string error;
  if (!m_platform->DecodeBitmap(bitmap, image, error)) {
    m_platform->ShowMessageBox("ERROR LOAD IMAGE");
    return 0;
  }
  if (image.width != SHEET_WIDTH || image.height != SHEET_HEIGHT || !m_sheet.Exists()) return 0;
  // Black must be pixel value 0 so that it is transparent in keyed blits.
  std::array<uint8_t, 256> remap{};
  for (size_t i = 0; i < 256; ++i) {
    const platform::Color c = image.palette[i];
    remap[i] = (c.r == 0 && c.g == 0 && c.b == 0) ? 0 : static_cast<uint8_t>(i);
  }
  for (size_t i = 0; i < image.pixels.size(); ++i) m_sheet.pixels[i] = remap[image.pixels[i]];
  m_tilesCoverPage = Opaque(m_sheet, RC_TITLE_TILE) && Opaque(m_sheet, RC_CLEAR_TILE);
  m_palette = image.palette;
  m_palette[0] = platform::Color{};
  return 1;
}

int CDisplay::Present() {
  if (m_platform == nullptr || !m_back.Exists()) return 0;
  m_platform->Present(m_back.pixels, m_palette);
  return 1;
}

int CDisplay::BltClipped(const Surface& src, int32_t left, int32_t top, int32_t right, int32_t bottom,
                         RECT s) {
  if (m_unseen) return 0;
  // Widen first: positions from data may be near the int range.
  int64_t l = left, t = top, r = right, b = bottom;
  int64_t sl = s.left, st = s.top, sr = s.right, sb = s.bottom;
  if (l < PLAYFIELD_LEFT) {
    sl += PLAYFIELD_LEFT - l;
    l = PLAYFIELD_LEFT;
  }
  if (r > PLAYFIELD_RIGHT) {
    sr -= r - PLAYFIELD_RIGHT;
    r = PLAYFIELD_RIGHT;
  }
  if (t < 0) {
    st += -t;
    t = 0;
  }
  if (b > platform::kPageHeight) {
    sb -= b - platform::kPageHeight;
    b = platform::kPageHeight;
  }
  const auto fits = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
  if (!fits(l) || !fits(t) || !fits(r) || !fits(b) || !fits(sl) || !fits(st) || !fits(sr) || !fits(sb)) return 0;
  return BltKeyed(m_back, src, RECT{int32_t(l), int32_t(t), int32_t(r), int32_t(b)},
                  RECT{int32_t(sl), int32_t(st), int32_t(sr), int32_t(sb)});
}

void CDisplay::DrawBigGlyph(int16_t index, int32_t x, int32_t y, int32_t scale) {
  if (index < 0 || index >= static_cast<int16_t>(m_rcBigGlyph.size())) return;
  BltKeyed(m_back, m_sheet, RECT{x, y, x + 16 * scale, y + 16 * scale}, m_rcBigGlyph[static_cast<size_t>(index)]);
}

void CDisplay::DrawSmallGlyph(int16_t index, int32_t x, int32_t y, int32_t scale) {
  if (index < 0 || index >= static_cast<int16_t>(m_rcSmallGlyph.size())) return;
  BltClipped(m_sheet, x, y, x + 8 * scale, y + 8 * scale, m_rcSmallGlyph[static_cast<size_t>(index)]);
}
