#include "ui/viewer_bar.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr int32_t kLeft = PLAYFIELD_LEFT + 16, kRight = PLAYFIELD_RIGHT - 16;
// Just above the bomb stock and the energy gauge.
constexpr int32_t kBarTop = 432, kBarBottom = 436, kTextTop = 438;
constexpr int32_t kFramesPerSecond = 60;
// Palette ramps of sixteen shades: a dark grey track, filled in bright cyan.
constexpr uint8_t kTrack = 0 * 16 + 5, kFill = 3 * 16 + 12;

void Fill(Surface& page, int32_t left, int32_t right, uint8_t value) {
  for (int32_t y = kBarTop; y < kBarBottom; ++y) std::fill(page.Row(y) + left, page.Row(y) + right, value);
}

// The small font's cells straight from the sheet: the bar needs ':' beside
// what the game's texts use.
void Text(CDisplay& display, std::string_view text, int32_t x) {
  for (const char c : text) {
    if (c > ' ' && c < 0x60) display.BltClipped(display.GetSheetSurface(), x, kTextTop, x + 8, kTextTop + 8, CharCellRect(c));
    x += 8;
  }
}

void Clock(char (&out)[24], int64_t frames) {
  const long long seconds = frames / kFramesPerSecond;
  std::snprintf(out, sizeof out, "%02lld:%02lld", std::min(seconds / 60, 99LL), seconds % 60);
}

}  // namespace

void DrawViewerBar(CDisplay& display, const ViewerBar& bar) {
  Surface& page = display.GetBackSurface();
  const int64_t played = bar.length > 0 ? std::clamp<int64_t>(bar.frame, 0, bar.length) : 0;
  const auto filled = static_cast<int32_t>(bar.length > 0 ? played * (kRight - kLeft) / bar.length : 0);
  Fill(page, kLeft, kRight, kTrack);
  Fill(page, kLeft, kLeft + filled, kFill);
  char now[24], whole[24];
  Clock(now, played);
  Clock(whole, bar.length);
  Text(display, std::string(now) + "/" + whole, kLeft);
  const std::string_view speed = bar.speed;
  Text(display, speed, kRight - 8 * static_cast<int32_t>(speed.size()));
}
