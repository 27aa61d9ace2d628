#include <gtest/gtest.h>

#include "game/player.hpp"
#include "input/keyboard.hpp"
#include "play_fixture.hpp"

namespace {

using namespace play_test;

TEST(PlayerShip, VolleysLeaveEverySeventhFrameFromThreeMuzzles) {
  PlayGame game(StillTypes(), kQuietScript);
  game.State().g_player.x = 300;
  game.State().g_player.y = 400;
  // Volleys on the frames where the free-running timer is 0: 1, 8, 15.
  const size_t expected[] = {3, 3, 3, 3, 3, 3, 3, 6, 6, 6, 6, 6, 6, 6, 9};
  for (size_t frame = 0; frame < std::size(expected); ++frame) {
    game.Idle(1, {VK_SPACE});
    if (frame == 0) {
      const auto shots = Nodes(game.State().mainList, KIND_PLAYER_BULLET);
      ASSERT_EQ(shots.size(), 3u);
      const float xs[] = {300, 323, 312};
      const int16_t angles[] = {190, 194, 192};
      for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(shots[i]->x, xs[i]);
        EXPECT_EQ(shots[i]->y, 400);
        EXPECT_EQ(shots[i]->angleX, angles[i]);
        EXPECT_EQ(shots[i]->angleY, angles[i]);
        EXPECT_EQ(shots[i]->speed, 10);
      }
    }
    EXPECT_EQ(Nodes(game.State().mainList, KIND_PLAYER_BULLET).size(), expected[frame]) << "frame " << frame + 1;
  }
}

TEST(PlayerShip, FirePressedBetweenVolleysWaitsForTheTimer) {
  PlayGame game(StillTypes(), kQuietScript);
  game.Idle(3);                   // timer 0 -> 3
  game.Idle(4, {VK_SPACE});       // timers 3..6: nothing
  EXPECT_TRUE(Nodes(game.State().mainList, KIND_PLAYER_BULLET).empty());
  game.Idle(1, {VK_SPACE});       // 7 wraps to 0: a volley
  EXPECT_EQ(Nodes(game.State().mainList, KIND_PLAYER_BULLET).size(), 3u);
}

TEST(PlayerShip, MovementStopsAtEveryEdge) {
  struct Case {
    float x, y;
    std::vector<uint8_t> keys;
    int frames;
    float wantX, wantY;
  };
  const Case cases[] = {
      {200, 200, {VK_RIGHT}, 1, 204, 200},
      {510, 200, {VK_RIGHT}, 1, 512, 200},
      {300, 200, {VK_RIGHT}, 200, 512, 200},
      {98, 200, {VK_LEFT}, 1, 96, 200},
      {300, 446, {VK_DOWN}, 1, 300, 448},
      {300, 2, {VK_UP}, 1, 300, 0},
      {300, 100, {VK_UP}, 200, 300, 0},
      {510, 446, {VK_RIGHT, VK_DOWN}, 1, 512, 448},
      {97, 1, {VK_LEFT, VK_UP}, 1, 96, 0},
  };
  for (const Case& c : cases) {
    PlayGame game(StillTypes(), kQuietScript);
    game.State().g_player.x = c.x;
    game.State().g_player.y = c.y;
    game.Idle(c.frames, c.keys);
    EXPECT_FLOAT_EQ(game.State().g_player.x, c.wantX) << "from " << c.x << "," << c.y;
    EXPECT_FLOAT_EQ(game.State().g_player.y, c.wantY) << "from " << c.x << "," << c.y;
  }
}

TEST(PlayerShip, BombsNeedStockAndOneAtATime) {
  PlayGame game(StillTypes(), kQuietScript);
  game.Idle(1, {VK_SHIFT});
  EXPECT_EQ(game.State().g_player.bombs, 2);
  EXPECT_EQ(game.State().g_player.bombActive, 1);
  // The bomb is updated from frame 2 on and ends in its 21st update (frame
  // 22), which frees the button for the next one in that same frame.
  game.Idle(20, {VK_SHIFT});
  EXPECT_EQ(game.State().g_player.bombs, 2);
  game.Idle(1, {VK_SHIFT});
  EXPECT_EQ(game.State().g_player.bombs, 1);

  game.State().g_player.bombs = 0;
  game.State().g_player.bombActive = 0;
  for (GameObject* b : Nodes(game.State().mainList, KIND_BOMB)) b->kind = KIND_NONE;  // inert from now on
  game.Idle(1, {VK_SHIFT});
  EXPECT_EQ(game.State().g_player.bombActive, 0);
  EXPECT_TRUE(Nodes(game.State().mainList, KIND_BOMB).empty());
}

TEST(PlayerShip, BombRingClearsEnemyBulletsWhileItRuns) {
  PlayGame game(StillTypes(), kQuietScript);
  AddMovingObject(game.State().mainList, KIND_BULLET, 200, 100, 0, 0, 0);
  game.Idle(1, {VK_SHIFT});  // the bullet's update came before the drop
  EXPECT_EQ(Nodes(game.State().mainList, KIND_BULLET).size(), 1u);
  game.Idle(1);
  EXPECT_TRUE(Nodes(game.State().mainList, KIND_BULLET).empty());
  // The first ring: 32 one-image explosions of radius 8 around the ship.
  const auto ring = Nodes(game.State().mainList, KIND_EXPLOSION);
  ASSERT_EQ(ring.size(), 32u);
  EXPECT_EQ(ring[0]->x, game.State().g_player.x + 8);
  EXPECT_EQ(ring[0]->y, game.State().g_player.y);
  EXPECT_EQ(ring[0]->animFrame, 7);

  AddMovingObject(game.State().mainList, KIND_SPREAD_BULLET, 200, 100, 0, 0, 0);
  game.Idle(1);
  EXPECT_TRUE(Nodes(game.State().mainList, KIND_SPREAD_BULLET).empty());
  game.Idle(19);  // bomb updates 3..21: finished
  EXPECT_EQ(game.State().g_player.bombActive, 0);
  AddMovingObject(game.State().mainList, KIND_BULLET, 200, 100, 0, 0, 0);
  game.Idle(3);
  EXPECT_EQ(Nodes(game.State().mainList, KIND_BULLET).size(), 1u);
}

TEST(PlayerShip, TouchProtectsFor65FramesAndEnergyMayFallBelowZero) {
  PlayGame game(StillTypes(), kQuietScript);
  game.State().g_player.energy = 1;
  // A bullet that stands on the ship: it touches whenever it may.
  AddMovingObject(game.State().mainList, KIND_BULLET, game.State().g_player.x, game.State().g_player.y, 0, 0, 0);
  game.Idle(1);
  EXPECT_EQ(game.State().g_player.energy, 0);
  EXPECT_EQ(game.State().g_player.hitFlag, 1);
  game.Idle(64);  // frames 2..65: protected, the flag drops at the end of 65
  EXPECT_EQ(game.State().g_player.energy, 0);
  EXPECT_EQ(game.State().g_player.hitFlag, 0);
  game.Idle(1);
  EXPECT_EQ(game.State().g_player.energy, -1);
  game.Idle(65);
  EXPECT_EQ(game.State().g_player.energy, -2);
  EXPECT_EQ(game.State().m_state.m_bPlaying, 1);
}

TEST(PlayerShip, EscapeOpensTheExitQueryAfterTheFrameRuns) {
  PlayGame game(StillTypes(), kQuietScript);
  game.State().g_player.x = 200;
  game.Idle(1, {VK_ESCAPE, VK_RIGHT, VK_SPACE});
  EXPECT_EQ(game.State().m_state.m_bExitQuery, 1);
  EXPECT_EQ(game.State().g_player.x, 204);
  EXPECT_EQ(Nodes(game.State().mainList, KIND_PLAYER_BULLET).size(), 3u);
}

TEST(PlayerShip, GaugeAndStockShowEnergyAndBombs) {
  PlayGame game(StillTypes(), kQuietScript);
  Surface& sheet = game.Display().GetSheetSurface();
  ClearSurface(sheet);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 192; x < 400; ++x) {
      const bool ship = x < 224 && y < 32, gauge = x >= 320 && y >= 16 && y < 32, icon = x >= 320 && x < 336 && y >= 32;
      sheet.Row(y)[x] = ship ? 5 : gauge ? 7 : icon ? 8 : 0;
    }
  }
  const struct {
    int16_t energy;
    uint8_t bombs;
    int gaugeEnd, stockEnd;  // first pixel past each
  } cases[] = {{15, 3, 156, 144}, {14, 0, 152, 96}, {0, 10, 96, 256}, {-2, 1, 96, 112}};
  for (const auto& c : cases) {
    game.State().g_player.energy = c.energy;
    game.State().g_player.bombs = c.bombs;
    game.State().g_player.x = 300.75f;
    game.Idle();
    if (c.gaugeEnd > 96) {
      EXPECT_EQ(game.PagePixel(c.gaugeEnd - 1, 470), 7) << c.energy;
    }
    EXPECT_EQ(game.PagePixel(c.gaugeEnd, 470), 0) << c.energy;
    if (c.stockEnd > 96) {
      EXPECT_EQ(game.PagePixel(c.stockEnd - 1, 456), 8) << int{c.bombs};
    }
    EXPECT_EQ(game.PagePixel(c.stockEnd, 456), 0) << int{c.bombs};
    EXPECT_EQ(game.PagePixel(300, 460), 5) << "ship at its truncated position";
    EXPECT_EQ(game.PagePixel(332, 460), 0);
  }
}

}  // namespace
