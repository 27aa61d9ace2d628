// The player's ship, its shots and bombs, and what they leave behind.
#include <gtest/gtest.h>

#include "input/keyboard.hpp"
#include "play_fixture.hpp"

namespace {

using namespace play_test;

TEST(Ship, VolleysLeaveFromThreeMuzzlesWhenTheFreeRunningTimerComesRound) {
  PlayGame game;
  game.P().x = 300;
  game.P().y = 400;
  game.Idle(1, {VK_SPACE});
  EXPECT_TRUE(game.Sounded(Effect::Volley));
  const auto shots = game.Of(KIND_PLAYER_BULLET);
  ASSERT_EQ(shots.size(), 3u);
  const float xs[] = {300, 323, 312};
  const int16_t angles[] = {190, 194, 192};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(shots[i]->x == xs[i] && shots[i]->y == 400 && shots[i]->speed == 10);
    EXPECT_TRUE(shots[i]->angleX == angles[i] && shots[i]->angleY == angles[i]);
  }
  game.Idle(6, {VK_SPACE});
  EXPECT_EQ(game.Of(KIND_PLAYER_BULLET).size(), 3u);
  EXPECT_FALSE(game.Sounded(Effect::Volley));
  game.Idle(1, {VK_SPACE});  // frame 8: the timer wraps to 0
  EXPECT_EQ(game.Of(KIND_PLAYER_BULLET).size(), 6u);
  EXPECT_TRUE(game.Sounded(Effect::Volley));
  // Fire pressed between volleys waits for the timer: 3 frames idle, 4 held.
  game.Idle(3);
  game.Idle(3, {VK_SPACE});
  EXPECT_EQ(game.Of(KIND_PLAYER_BULLET).size(), 6u);
  game.Idle(1, {VK_SPACE});
  EXPECT_EQ(game.Of(KIND_PLAYER_BULLET).size(), 9u);
  // Shots fly along angleX on both axes.
  GameObject* shot = game.Add(KIND_PLAYER_BULLET, 300, 300, 192, 10);
  shot->angleY = 0;
  game.Idle();
  EXPECT_FLOAT_EQ(shot->y, 290);
}

TEST(Ship, MovementStopsAtEveryEdge) {
  struct Case {
    float x, y;
    std::vector<uint8_t> keys;
    float wantX, wantY;
  };
  const Case cases[] = {
      {200, 200, {VK_RIGHT}, 204, 200}, {510, 200, {VK_RIGHT}, 512, 200}, {98, 200, {VK_LEFT}, 96, 200},
      {300, 446, {VK_DOWN}, 300, 448},  {300, 2, {VK_UP}, 300, 0},         {200, 200, {VK_LEFT, VK_RIGHT}, 200, 200},
      {510, 446, {VK_RIGHT, VK_DOWN}, 512, 448},
  };
  for (const Case& c : cases) {
    PlayGame game;
    game.P().x = c.x;
    game.P().y = c.y;
    game.Idle(1, c.keys);
    EXPECT_FLOAT_EQ(game.P().x, c.wantX) << "from " << c.x << "," << c.y;
    EXPECT_FLOAT_EQ(game.P().y, c.wantY) << "from " << c.x << "," << c.y;
  }
}

TEST(Ship, BombsNeedStockGoOneAtATimeAndClearEnemyBulletsWhileTheRingRuns) {
  PlayGame game;
  game.Add(KIND_BULLET, 200, 100);
  game.Idle(1, {VK_SHIFT});  // the bullet's update came before the drop
  EXPECT_EQ(game.P().bombs, 2);
  EXPECT_TRUE(game.Sounded(Effect::Bomb));
  EXPECT_EQ(game.Of(KIND_BULLET).size(), 1u);
  game.Idle(1, {VK_SHIFT});
  EXPECT_FALSE(game.Sounded(Effect::Bomb));
  EXPECT_TRUE(game.Of(KIND_BULLET).empty());
  // The first ring: 32 one-image explosions of radius 8 around the ship.
  const auto ring = game.Of(KIND_EXPLOSION);
  ASSERT_EQ(ring.size(), 32u);
  EXPECT_TRUE(ring[0]->x == game.P().x + 8 && ring[0]->y == game.P().y && ring[0]->animFrame == 7);
  game.Add(KIND_SPREAD_BULLET, 200, 100);
  game.Idle(1, {VK_SHIFT});
  EXPECT_TRUE(game.Of(KIND_SPREAD_BULLET).empty());
  // The bomb ends in its 21st update (frame 22), which frees the button for
  // the next one in that same frame.
  game.Idle(18, {VK_SHIFT});
  EXPECT_EQ(game.P().bombs, 2);
  EXPECT_EQ(game.P().bombActive, 1);
  game.Idle(1, {VK_SHIFT});
  EXPECT_EQ(game.P().bombs, 1);

  game.P().bombs = 0;
  game.P().bombActive = 0;
  for (GameObject* b : game.Of(KIND_BOMB)) b->kind = KIND_NONE;  // inert from now on
  game.Add(KIND_BULLET, 200, 100);
  game.Idle(3, {VK_SHIFT});
  EXPECT_EQ(game.P().bombActive, 0);
  EXPECT_EQ(game.Of(KIND_BULLET).size(), 1u) << "no bomb without stock";
}

TEST(Ship, TouchProtectsFor65FramesAndEnergyMayFallBelowZero) {
  PlayGame game;
  game.P().energy = 1;
  game.Add(KIND_BULLET, game.P().x, game.P().y);  // stands on the ship: touches whenever it may
  game.Idle(1);
  EXPECT_EQ(game.P().energy, 0);
  EXPECT_EQ(game.P().hitFlag, 1);
  EXPECT_TRUE(game.Sounded(Effect::ShipHit));
  game.Idle(64);  // frames 2..65: protected, the flag drops at the end of 65
  EXPECT_EQ(game.P().energy, 0);
  EXPECT_EQ(game.P().hitFlag, 0);
  EXPECT_FALSE(game.Sounded(Effect::ShipHit));
  game.Idle(1);
  EXPECT_EQ(game.P().energy, -1);
  EXPECT_TRUE(game.Sounded(Effect::ShipHit));
  game.Idle(65);
  EXPECT_EQ(game.P().energy, -2);
  EXPECT_EQ(game.State().m_state.m_bPlaying, 1) << "nothing ends the game";
}

TEST(Ship, GaugeAndStockShowEnergyAndBombs) {
  PlayGame game;
  game.PaintSheet([](Surface& sheet) {
    ClearSurface(sheet);
    for (int32_t y = 0; y < 48; ++y) {
      for (int32_t x = 192; x < 400; ++x) {
        const bool ship = x < 224 && y < 32, gauge = x >= 320 && y >= 16 && y < 32, icon = x >= 320 && x < 336 && y >= 32;
        sheet.Row(y)[x] = ship ? 5 : gauge ? 7 : icon ? 8 : 0;
      }
    }
  });
  const struct {
    int16_t energy;
    uint8_t bombs;
    int gaugeEnd, stockEnd;  // first pixel past each
  } cases[] = {{15, 3, 156, 144}, {14, 0, 152, 96}, {0, 10, 96, 256}, {-2, 1, 96, 112}};
  for (const auto& c : cases) {
    game.P().energy = c.energy;
    game.P().bombs = c.bombs;
    game.P().x = 300.75f;
    game.Idle();
    EXPECT_EQ(game.PagePixel(c.gaugeEnd - 1, 470), c.gaugeEnd > 96 ? 7 : 0) << c.energy;
    EXPECT_EQ(game.PagePixel(c.gaugeEnd, 470), 0) << c.energy;
    EXPECT_EQ(game.PagePixel(c.stockEnd - 1, 456), c.stockEnd > 96 ? 8 : 0) << int{c.bombs};
    EXPECT_EQ(game.PagePixel(c.stockEnd, 456), 0) << int{c.bombs};
    EXPECT_EQ(game.PagePixel(300, 460), 5) << "ship at its truncated position";
    EXPECT_EQ(game.PagePixel(332, 460), 0);
  }
}

TEST(Shots, HitEnemyBoxesBordersIncludedAndTheEnemyBecomesItsExplosion) {
  const struct {
    float dx, dy;
    bool hit;
  } cases[] = {{0, 0, true}, {32, 32, true}, {16, 32, true}, {32.5f, 0, false}, {0, -0.5f, false}, {-1, 16, false}};
  for (const auto& c : cases) {
    PlayGame game;
    GameObject* enemy = game.Add(KIND_ENEMY, 200, 100);
    enemy->scoreValue = 100;
    game.Add(KIND_PLAYER_BULLET, 200 + c.dx, 100 + c.dy, 192);
    game.Idle();
    const std::string where = std::to_string(c.dx) + "," + std::to_string(c.dy);
    EXPECT_EQ(enemy->kind, c.hit ? KIND_EXPLOSION : KIND_ENEMY) << where;
    EXPECT_EQ(game.P().score, c.hit ? 100 : 0) << where;
    EXPECT_EQ(game.Of(KIND_PLAYER_BULLET).size(), c.hit ? 0u : 1u) << where;
    EXPECT_EQ(game.Sounded(Effect::SmallDown), c.hit) << where;
    if (!c.hit) continue;
    EXPECT_TRUE(enemy->x == 200 && enemy->animFrame == 0) << "the explosion stays in place";
    const auto popups = game.Of(KIND_POPUP);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_TRUE(popups[0]->x == 200 && popups[0]->y == 100 && popups[0] == game.State().mainList.last);
  }
}

TEST(Shots, WoundEveryTargetUnderThemUntilOneDiesAndTheScoreWraps) {
  PlayGame game;
  GameObject* first = game.Add(KIND_ENEMY, 200, 100);
  GameObject* second = game.Add(KIND_ENEMY, 210, 110);
  first->hitPoints = second->hitPoints = 2;
  first->scoreValue = 299;  // the most a light craft is worth
  second->scoreValue = 300;  // a heavy craft: it goes down the louder way
  game.P().score = 32765;
  game.Add(KIND_PLAYER_BULLET, 215, 115);
  game.Idle();
  EXPECT_EQ(first->hitPoints, 1);
  EXPECT_EQ(second->hitPoints, 1);
  EXPECT_TRUE(game.Of(KIND_PLAYER_BULLET).empty());
  EXPECT_TRUE(game.Sounded(Effect::Hit) && !game.Sounded(Effect::SmallDown));
  // The next shot kills the first and stops there: the second keeps its point.
  game.Add(KIND_PLAYER_BULLET, 215, 115);
  game.Idle();
  EXPECT_EQ(first->kind, KIND_EXPLOSION);
  EXPECT_EQ(second->hitPoints, 1);
  EXPECT_EQ(game.P().score, 32765 + 299 - 65536);
  EXPECT_TRUE(game.Sounded(Effect::SmallDown) && !game.Sounded(Effect::Hit));
  game.Add(KIND_PLAYER_BULLET, 215, 115);
  game.Idle();
  EXPECT_TRUE(game.Sounded(Effect::LargeDown) && !game.Sounded(Effect::SmallDown));
}

TEST(Effects, EnemyBulletsCostEnergyAndEffectsLiveForTheirCountedFrames) {
  PlayGame game;
  game.Add(KIND_BULLET, 320, 440, 64, 2);
  game.Idle();
  EXPECT_EQ(game.P().energy, 14);
  EXPECT_EQ(game.Of(KIND_BULLET).at(0)->y, 442) << "and flies on";

  const struct {
    int16_t kind;
    int16_t frame;
    int lifetime;
  } cases[] = {{KIND_EXPLOSION, 0, 40}, {KIND_EXPLOSION, 7, 5}, {KIND_POPUP, 0, 129}};
  for (const auto& c : cases) {
    PlayGame effects;
    AddObjectAtFrame(effects.State().mainList, c.kind, 200, 300, c.frame);
    effects.Idle(c.lifetime - 1);
    EXPECT_EQ(CountNodes(effects.State().mainList), 1u) << c.kind << " from image " << c.frame;
    if (c.kind == KIND_POPUP) {
      EXPECT_EQ(effects.State().mainList.First()->y, 284) << "one pixel each eighth frame";
    }
    effects.Idle();
    EXPECT_EQ(CountNodes(effects.State().mainList), 0u) << c.kind << " from image " << c.frame;
  }
}

}  // namespace
