#include <gtest/gtest.h>

#include "play_fixture.hpp"

namespace {

using namespace play_test;

// The fixture's map uses the tile at (0, 320) everywhere; its line L is
// painted L + 1 and the rest of the sheet is left black.
void PaintTileLines(CDisplay& display) {
  Surface& sheet = display.GetSheetSurface();
  ClearSurface(sheet);
  for (int32_t line = 0; line < 32; ++line) {
    for (int32_t x = 0; x < 32; ++x) sheet.Row(320 + line)[x] = static_cast<uint8_t>(line + 1);
  }
}

constexpr int kProbeX = 400;  // clear of the score, the ship and the gauges

TEST(Background, EachMapRowShowsMirroredInBandsOfTheSpeed) {
  // After the frames that take one map row, the band written in frame f
  // (tile lines s * (f - 1) onward) sits f bands from the bottom of the row.
  const struct {
    uint8_t speed;
    int frames;
    std::vector<int> linesFromTop;  // tile line shown on each screen line; -1 = never written
  } cases[] = {
      {1, 32, {31, 30, 29}},
      {2, 16, {30, 31, 28, 29, 26, 27}},
      {3, 11, {30, 31, -1, 27, 28, 29}},  // the last band reads below the staged row
      {4, 8, {28, 29, 30, 31, 24, 25, 26, 27}},
  };
  for (const auto& c : cases) {
    PlayGame game(StillTypes(), kQuietScript);
    PaintTileLines(game.Display());
    game.State().m_state.m_nScrollSpeed = c.speed;
    game.Idle(c.frames);
    for (size_t y = 0; y < c.linesFromTop.size(); ++y) {
      const int line = c.linesFromTop[y];
      EXPECT_EQ(game.PagePixel(kProbeX, static_cast<int>(y)), line < 0 ? 0 : line + 1)
          << "speed " << int{c.speed} << " screen line " << y;
    }
    // The row's first lines sit lowest; below them the ring is still empty.
    const int rowBottom = c.speed * c.frames;
    EXPECT_EQ(game.PagePixel(kProbeX, rowBottom - c.speed), 1) << "speed " << int{c.speed};
    EXPECT_EQ(game.PagePixel(kProbeX, rowBottom), 0) << "speed " << int{c.speed};
    EXPECT_EQ(game.PagePixel(95, 0), 0) << "left of the playfield";
  }
}

TEST(Background, OneMapRowEvery32OverSFrames) {
  PlayGame game(StillTypes(), kQuietScript);
  game.Idle(32);
  EXPECT_EQ(game.State().g_nMapRow, 1);
  EXPECT_EQ(game.State().g_nTileLine, 0);
  EXPECT_EQ(game.State().g_nScrollLine, 32);
  game.Idle();
  EXPECT_EQ(game.State().g_nMapRow, 2);
  game.State().m_state.m_nScrollSpeed = 16;
  game.Idle(4);  // t 1 -> 17 -> 0 (33 wraps) -> 16 -> 0: one new row
  EXPECT_EQ(game.State().g_nMapRow, 3);
  // 33 + 4 * 16 lines so far.
  EXPECT_EQ(game.State().g_nScrollLine, 97);
}

TEST(Background, SpeedZeroStandsStillButStagesEveryFrame) {
  PlayGame game(StillTypes(), kQuietScript);
  game.State().m_state.m_nScrollSpeed = 0;
  game.Idle(3);
  EXPECT_EQ(game.State().g_nMapRow, 3);
  EXPECT_EQ(game.State().g_nScrollLine, 0);
  // A speed that does not divide 480 restarts the ring without the remainder.
  game.State().m_state.m_nScrollSpeed = 7;
  game.Idle(68);  // 68 * 7 = 476
  EXPECT_EQ(game.State().g_nScrollLine, 476);
  game.Idle();
  EXPECT_EQ(game.State().g_nScrollLine, 0);
}

}  // namespace
