#include <gtest/gtest.h>

#include "game/player.hpp"
#include "play_fixture.hpp"

namespace {

using namespace play_test;

GameObject* AddTarget(ObjectList& list, float x, float y, int16_t hitPoints, int16_t scoreValue) {
  GameObject* o = AllocObject();
  o->kind = KIND_ENEMY;
  o->x = x;
  o->y = y;
  o->width = o->height = 32;
  o->hitPoints = hitPoints;
  o->scoreValue = scoreValue;
  o->stepTimer = 1000;
  list.Append(o);
  return o;
}

// A shot that stands still where it is put.
void AddStillShot(ObjectList& list, float x, float y) { AddMovingObject(list, KIND_PLAYER_BULLET, x, y, 192, 192, 0); }

TEST(PlayerShots, HitTheEnemyBoxBordersIncluded) {
  const struct {
    float dx, dy;
    bool hit;
  } cases[] = {{0, 0, true}, {32, 32, true}, {16, 32, true}, {32.5f, 0, false}, {0, -0.5f, false}, {-1, 16, false}};
  for (const auto& c : cases) {
    PlayGame game(StillTypes(), kQuietScript);
    GameObject* enemy = AddTarget(game.State().mainList, 200, 100, 1, 100);
    AddStillShot(game.State().mainList, 200 + c.dx, 100 + c.dy);
    game.Idle();
    EXPECT_EQ(enemy->kind, c.hit ? KIND_EXPLOSION : KIND_ENEMY) << c.dx << "," << c.dy;
    EXPECT_EQ(game.State().g_player.score, c.hit ? 100 : 0) << c.dx << "," << c.dy;
    EXPECT_EQ(Nodes(game.State().mainList, KIND_PLAYER_BULLET).size(), c.hit ? 0u : 1u) << c.dx << "," << c.dy;
  }
}

TEST(PlayerShots, DestroyedEnemyBecomesItsExplosionAndReleasesAPopup) {
  PlayGame game(StillTypes(), kQuietScript);
  GameObject* enemy = AddTarget(game.State().mainList, 200, 100, 1, 100);
  AddStillShot(game.State().mainList, 210, 110);
  game.Idle();
  EXPECT_EQ(enemy->kind, KIND_EXPLOSION);
  EXPECT_EQ(enemy->x, 200);
  EXPECT_EQ(enemy->animFrame, 0);
  const auto popups = Nodes(game.State().mainList, KIND_POPUP);
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0]->x, 200);
  EXPECT_EQ(popups[0]->y, 100);
  EXPECT_EQ(popups[0], game.State().mainList.last);
}

TEST(PlayerShots, WoundEveryTargetUnderThemUntilOneDies) {
  PlayGame game(StillTypes(), kQuietScript);
  GameObject* first = AddTarget(game.State().mainList, 200, 100, 2, 5);
  GameObject* second = AddTarget(game.State().mainList, 210, 110, 2, 5);
  AddStillShot(game.State().mainList, 215, 115);
  game.Idle();
  EXPECT_EQ(first->hitPoints, 1);
  EXPECT_EQ(second->hitPoints, 1);
  EXPECT_EQ(game.State().g_player.score, 0);
  EXPECT_TRUE(Nodes(game.State().mainList, KIND_PLAYER_BULLET).empty());
  // The next shot kills the first and stops there: the second keeps its point.
  AddStillShot(game.State().mainList, 215, 115);
  game.Idle();
  EXPECT_EQ(first->kind, KIND_EXPLOSION);
  EXPECT_EQ(second->hitPoints, 1);
  EXPECT_EQ(game.State().g_player.score, 5);
}

TEST(PlayerShots, ScoreWrapsPast32767) {
  PlayGame game(StillTypes(), kQuietScript);
  game.State().g_player.score = 32767;
  AddTarget(game.State().mainList, 200, 100, 1, 1);
  AddStillShot(game.State().mainList, 200, 100);
  game.Idle();
  EXPECT_EQ(game.State().g_player.score, -32768);
}

TEST(PlayerShots, FlyAlongAngleXOnBothAxes) {
  PlayGame game(StillTypes(), kQuietScript);
  AddMovingObject(game.State().mainList, KIND_PLAYER_BULLET, 300, 300, 192, 0, 10);
  game.Idle();
  EXPECT_FLOAT_EQ(Nodes(game.State().mainList, KIND_PLAYER_BULLET).at(0)->y, 290);
}

TEST(EnemyBullets, CostEnergyAndFlyOn) {
  PlayGame game(StillTypes(), kQuietScript);
  AddMovingObject(game.State().mainList, KIND_BULLET, 320, 440, 64, 64, 2);
  game.Idle();
  EXPECT_EQ(game.State().g_player.energy, 14);
  EXPECT_EQ(Nodes(game.State().mainList, KIND_BULLET).at(0)->y, 442);
}

TEST(Effects, LiveForTheirCountedFrames) {
  const struct {
    int16_t kind;
    int16_t frame;
    int lifetime;
  } cases[] = {{KIND_EXPLOSION, 0, 40}, {KIND_EXPLOSION, 7, 5}, {KIND_POPUP, 0, 129}};
  for (const auto& c : cases) {
    PlayGame game(StillTypes(), kQuietScript);
    AddObjectAtFrame(game.State().mainList, c.kind, 200, 300, c.frame);
    game.Idle(c.lifetime - 1);
    EXPECT_EQ(CountNodes(game.State().mainList), 1u) << c.kind << " from image " << c.frame;
    if (c.kind == KIND_POPUP) {
      EXPECT_EQ(game.State().mainList.First()->y, 284);  // one pixel each eighth frame
    }
    game.Idle();
    EXPECT_EQ(CountNodes(game.State().mainList), 0u) << c.kind << " from image " << c.frame;
  }
}

}  // namespace
