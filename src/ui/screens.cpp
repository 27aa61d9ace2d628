#include "ui/screens.hpp"

#include <array>
#include <cctype>
#include <string>

#include "gfx/number.hpp"

namespace {

struct Glyph {
  int16_t index;
  int32_t x;
  int32_t y;
};

// KESTROVA in two rows of four 64 x 64 letters.
constexpr std::array<Glyph, 8> kTitleName = {{
    {10, 128, 128}, {4, 192, 128}, {18, 256, 128}, {19, 320, 128},
    {17, 192, 192}, {14, 256, 192}, {21, 320, 192}, {0, 384, 192},
}};
constexpr std::array<Glyph, 6> kTitleSecond = {{
    {18, 192, 256}, {4, 208, 256}, {2, 224, 256}, {14, 240, 256}, {13, 256, 256}, {3, 272, 256},
}};
constexpr std::array<Glyph, 9> kPushSpace = {{
    {32, 128, 440}, {37, 144, 440}, {35, 160, 440}, {24, 176, 440},
    {35, 208, 440}, {32, 224, 440}, {17, 240, 440}, {19, 256, 440}, {21, 272, 440},
}};
constexpr std::array<Glyph, 10> kStageClear = {{
    {18, 128, 128}, {19, 192, 128}, {0, 256, 128}, {6, 320, 128}, {4, 384, 128},
    {2, 128, 192}, {11, 192, 192}, {4, 256, 192}, {0, 320, 192}, {17, 384, 192},
}};
constexpr std::array<Glyph, 8> kExitQuery = {{
    {21, 128, 128}, {40, 192, 128}, {25, 256, 128}, {36, 320, 128}, {44, 384, 128},
    {30, 192, 192}, {43, 256, 192}, {41, 320, 192},
}};
constexpr int16_t kSelectionBox = 45;
constexpr std::array<Glyph, 5> kPause = {{
    {15, 160, 208}, {0, 224, 208}, {20, 288, 208}, {18, 352, 208}, {4, 416, 208},
}};

template <size_t N>
void DrawBig(CDisplay& display, const std::array<Glyph, N>& glyphs, int32_t scale) {
  for (const Glyph& g : glyphs) display.DrawBigGlyph(g.index, g.x, g.y, scale);
}

template <size_t N>
void DrawSmall(CDisplay& display, const std::array<Glyph, N>& glyphs, int32_t scale) {
  for (const Glyph& g : glyphs) display.DrawSmallGlyph(g.index, g.x, g.y, scale);
}

void TilePage(CDisplay& display, RECT tile) {
  for (int32_t y = 0; y < 480; y += 32) {
    for (int32_t x = 0; x < 640; x += 32) {
      BltKeyed(display.GetBackSurface(), display.GetSheetSurface(), RECT{x, y, x + 32, y + 32}, tile);
    }
  }
}

// Shared by the title and stage-clear screens: Space or joystick button 1
// alone starts play on a black page.
void PollStart(PlayState& play, CDisplay& display, const KeyboardState& keys, FrameSounds& sounds) {
  if (play.g_joystick.StartButton() || KeyHeld(keys, VK_SPACE)) {
    play.m_state.SetPlaying(1);
    ClearSurface(display.GetBackSurface());
    sounds.Start(Effect::Start);
  }
}

}  // namespace

void DrawTitleScreen(PlayState& play, CDisplay& display, const HighScoreTable& scores, const KeyboardState& keys,
                     FrameSounds& sounds) {
  if (!display.Unseen()) {
    TilePage(display, RC_TITLE_TILE);
    DrawBig(display, kTitleName, 4);
    DrawBig(display, kTitleSecond, 1);
    const RunState& run = play.run;
    if (HasStakes(run)) {
      // The rules chosen, and the difficulty's best runs with their initials.
      std::string mode = std::string(RulesName(run.rules.kind)) + " " + DifficultyName(run.rules.difficulty);
      for (char& c : mode) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      display.DrawSmallText(mode, 192, 284, 1);
    }
    for (int32_t rank = 1; rank <= 5; ++rank) {
      const int32_t y = 300 + 20 * rank;
      const size_t i = static_cast<size_t>(rank - 1);
      display.DrawSmallGlyph(static_cast<int16_t>(7 + rank), 128, y, 1);
      if (!HasStakes(run)) {
        DrawNumber(display, scores.entries[i].score, 208, y);
        continue;
      }
      const ArcadeEntry& entry = run.best.entries[i];
      if (entry.score == 0) continue;
      DrawNumber(display, entry.score, 240, y);
      display.DrawSmallText(std::string_view(entry.initials.data(), entry.initials.size()), 256, y, 1);
    }
    DrawSmall(display, kPushSpace, 2);
  }
  PollStart(play, display, keys, sounds);
}

void DrawStageClearScreen(PlayState& play, CDisplay& display, const KeyboardState& keys, FrameSounds& sounds) {
  if (!display.Unseen()) {
    TilePage(display, RC_CLEAR_TILE);
    DrawBig(display, kStageClear, 4);
  }
  PollStart(play, display, keys, sounds);
}

void DimPage(Surface& page) {
  // Every other pixel black: the picture stays, dimmed, in any palette.
  for (int32_t y = 0; y < page.height; ++y) {
    uint8_t* row = page.Row(y);
    for (int32_t x = y & 1; x < page.width; x += 2) row[x] = 0;
  }
}

void DrawPausedPage(CDisplay& display) {
  DimPage(display.GetBackSurface());
  DrawBig(display, kPause, 4);
  display.DrawSmallText("RETURN OR F1 MENU", 252, 272, 1);
}

bool DrawExitQueryScreen(PlayState& play, CDisplay& display, const KeyboardState& keys, FrameSounds& sounds) {
  ClearSurface(display.GetBackSurface());
  DrawSmall(display, kExitQuery, 4);
  int32_t& cursor = play.g_nExitCursorX;
  // The box shows the choice from before this frame's keys.
  display.DrawSmallGlyph(kSelectionBox, cursor - 8, 184, 6);
  const int32_t before = cursor;
  if (KeyHeld(keys, VK_LEFT)) cursor = EXIT_CURSOR_NO;
  if (KeyHeld(keys, VK_RIGHT)) cursor = EXIT_CURSOR_YES;
  if (cursor != before) sounds.Start(Effect::Cursor);
  if (!KeyHeld(keys, VK_SPACE)) return false;
  sounds.Start(Effect::Confirm);
  if (cursor == EXIT_CURSOR_YES) return true;
  play.m_state.SetPlaying(1);
  return false;
}
