#include <gtest/gtest.h>

#include "game/player.hpp"
#include "play_fixture.hpp"

namespace {

using namespace play_test;

// A 32 x 32 mover put straight into the list, its step lasting long.
GameObject* AddMover(ObjectList& list, int16_t kind, float x, float y, int16_t angleX, int16_t angleY, int16_t speed) {
  AddMovingObject(list, kind, x, y, angleX, angleY, speed);
  GameObject* o = list.last;
  o->width = o->height = 32;
  o->stepTimer = 1000;
  return o;
}

TEST(Items, TouchingTheShipRaisesItsCounterUpToTheCap) {
  struct Case {
    const char* type;
    void (*set)(Player&);
    int (*get)(const Player&);
    int want[3];
  };
  const Case cases[] = {
      {"L1", [](Player&) {}, [](const Player& p) { return int{p.level}; }, {2, 3, 3}},
      {"B1", [](Player& p) { p.bombs = 9; }, [](const Player& p) { return int{p.bombs}; }, {10, 10, 10}},
      {"N1", [](Player& p) { p.energy = 13; }, [](const Player& p) { return int{p.energy}; }, {14, 15, 15}},
  };
  for (const Case& c : cases) {
    // Three items on the ship, 70 frames apart: each touch protects for 65.
    const std::string row = std::string(c.type) + ",320,448,70\n";
    PlayGame game(StillTypes(), row + row + row + ",,,1000\nEOF,\n");
    c.set(game.State().g_player);
    for (int i = 0; i < 3; ++i) {
      game.Idle(i == 0 ? 1 : 70);
      EXPECT_EQ(c.get(game.State().g_player), c.want[i]) << c.type << " item " << i + 1;
      EXPECT_EQ(CountNodes(game.State().mainList), 0u) << c.type << " item " << i + 1;
      EXPECT_EQ(game.State().g_player.hitFlag, 1) << c.type << " item " << i + 1;
    }
  }
}

TEST(Enemies, FlyingEnemiesTouchTheShipAndGroundEnemiesRideTheScroll) {
  const std::string types = StillTypes() + Type("G2", "G", "100,64,1000,0,,,1") + Type("E2", "E", "100,64,1000,0,,,1");
  const struct {
    const char* type;
    float yAfter10;
    int energy;
  } cases[] = {{"G2", 450, 15}, {"E2", 430, 14}};
  for (const auto& c : cases) {
    // Scroll speed 2 from the first frame on.
    PlayGame game(types, std::string(c.type) + ",320,420,1000\nDOT,,,2\n,,,1000\nEOF,\n");
    game.Idle(10);
    const auto movers = Nodes(game.State().mainList, c.type[0] == 'G' ? KIND_GROUND_ENEMY : KIND_ENEMY);
    ASSERT_EQ(movers.size(), 1u) << c.type;
    EXPECT_EQ(movers[0]->y, c.yAfter10) << c.type;
    EXPECT_EQ(game.State().g_player.energy, c.energy) << c.type;
  }
}

TEST(Enemies, LeaveOnlyWhenPastTheirOwnSizeOutsideThePlayfield) {
  const struct {
    float x, y;
    int16_t angleX, angleY;
  } cases[] = {
      {66, 100, 128, 0},   // 65, 64, then 63 < 96 - 32
      {574, 100, 0, 0},    // 575, 576, then 577 > 544 + 32
      {200, -30, 64, 192}, // -31, -32, then -33 < -32
      {200, 510, 64, 64},  // 511, 512, then 513 > 480 + 32
  };
  for (const auto& c : cases) {
    PlayGame game(StillTypes(), kQuietScript);
    AddMover(game.State().mainList, KIND_ENEMY, c.x, c.y, c.angleX, c.angleY, 1);
    game.Idle(2);
    EXPECT_EQ(Nodes(game.State().mainList, KIND_ENEMY).size(), 1u) << c.x << "," << c.y;
    game.Idle();
    EXPECT_TRUE(Nodes(game.State().mainList, KIND_ENEMY).empty()) << c.x << "," << c.y;
  }
}

TEST(Enemies, FireAimedBulletsOrASpreadOfThree) {
  const std::string types =
      StillTypes() + Type("F1", "E", "0,0,1000,1,,,0") + Type("F3", "S", "0,0,1000,1,,,0");
  // Straight above the ship: the scaled sine gives 40, not 64.
  const struct {
    const char* type;
    std::vector<int16_t> angles;
    int16_t kind;
  } cases[] = {{"F1", {40}, KIND_BULLET}, {"F3", {40, 48, 32}, KIND_SPREAD_BULLET}};
  for (const auto& c : cases) {
    PlayGame game(types, std::string(c.type) + ",320,100,1000\n,,,1000\nEOF,\n");
    int frames = 0;
    while (Nodes(game.State().mainList, c.kind).empty() && frames++ < 50) game.Idle();
    const auto bullets = Nodes(game.State().mainList, c.kind);
    ASSERT_EQ(bullets.size(), c.angles.size()) << c.type;
    for (size_t i = 0; i < bullets.size(); ++i) {
      EXPECT_EQ(bullets[i]->angleX, c.angles[i]) << c.type << " bullet " << i;
      EXPECT_EQ(bullets[i]->angleY, c.angles[i]) << c.type << " bullet " << i;
      EXPECT_EQ(bullets[i]->speed, 2) << c.type;
    }
  }
  PlayGame quiet(StillTypes(), "E1,320,100,1000\n,,,1000\nEOF,\n");
  quiet.Idle(200);
  EXPECT_TRUE(Nodes(quiet.State().mainList, KIND_BULLET).empty());
}

TEST(Enemies, ProgramsChangeImageAndJump) {
  const std::string types = StillTypes() +
                            "M1,,,,,INIT,,,E\n,0,0,1,0,,,0\n,,,,,BITMAP,,,W\n,,,,,,LOOP\n,9,9,9,9,,,9\n"
                            "LOOP,5,6,2,0,,,0\n,,,,,,LOOP\n";
  PlayGame game(types, "M1,200,100,1000\n,,,1000\nEOF,\n");
  const int16_t loopRow = static_cast<int16_t>(game.app->m_data->dataTable.FindRow("LOOP"));
  // Frame 1 ends the one-frame step: the image changes and the jump leads
  // to LOOP, loaded as the step; LOOP's two frames then end in its own jump back.
  const int16_t timers[] = {2, 1, 2, 1, 2};
  for (int16_t timer : timers) {
    game.Idle();
    const GameObject& m = *Nodes(game.State().mainList, KIND_ENEMY).at(0);
    EXPECT_EQ(m.programRow, loopRow);
    EXPECT_EQ(m.stepTimer, timer);
    EXPECT_EQ(m.angleX, 5);
    EXPECT_EQ(m.angleY, 6);
    EXPECT_EQ(m.srcLeft, 64);
    EXPECT_EQ(m.width, 48);
    EXPECT_EQ(m.height, 16);
  }
}

// The carrier: C1 with two 32 x 32 parts side by side.
std::string CarrierTypes(const char* step) {
  return StillTypes() + "C1,,,,,INIT,,,C\n," + step + "\n,,,,,START\n,0,0,,7,,,,P1\n,32,0,,7,,,,P1\n,,,,,END\n,\n";
}

TEST(Carrier, LeavingThePlayfieldTakesItsPartsAndScores) {
  PlayGame game(CarrierTypes("64,64,1000,0,,,100"), "C1,300,400,1000\n,,,1000\nEOF,\n");
  game.Idle();  // y 500: still inside the 64-line margin
  EXPECT_EQ(CountNodes(game.State().childList), 2u);
  game.Idle();  // y 600: gone, and with it every part
  EXPECT_EQ(CountNodes(game.State().mainList), 0u);
  EXPECT_EQ(CountNodes(game.State().childList), 0u);
  EXPECT_EQ(game.State().g_player.score, 500);
}

TEST(Carrier, DiesWhenItsLastPartIsShotAndFreesTheParts) {
  PlayGame game(CarrierTypes("0,0,1000,0,,,0"), "C1,300,100,1000\n,,,1000\nEOF,\n");
  game.Idle();
  // Still shots inside the first part's box, then the second's.
  AddMovingObject(game.State().mainList, KIND_PLAYER_BULLET, 305, 105, 192, 192, 0);
  game.Idle();
  EXPECT_EQ(game.State().g_player.score, 10);
  EXPECT_EQ(game.State().childList.First()->kind, KIND_NONE);
  AddMovingObject(game.State().mainList, KIND_PLAYER_BULLET, 340, 105, 192, 192, 0);
  game.Idle();  // the carrier's walk dropped the first part before the shot
  EXPECT_EQ(game.State().g_player.score, 20);
  EXPECT_EQ(CountNodes(game.State().childList), 1u);
  game.Idle();
  EXPECT_EQ(CountNodes(game.State().childList), 0u);
  const auto dying = Nodes(game.State().mainList, KIND_CARRIER_DEATH);
  ASSERT_EQ(dying.size(), 1u);
  EXPECT_EQ(game.State().g_player.score, 520);

  // 33 frames of explosions, every one at the only point 32 in from a 64 x 64 box.
  game.Idle(32);
  EXPECT_EQ(Nodes(game.State().mainList, KIND_CARRIER_DEATH).size(), 1u);
  game.Idle();
  EXPECT_TRUE(Nodes(game.State().mainList, KIND_CARRIER_DEATH).empty());
  const auto explosions = Nodes(game.State().mainList, KIND_EXPLOSION);
  EXPECT_EQ(explosions.size(), 33u);
  for (const GameObject* e : explosions) {
    EXPECT_EQ(e->x, 332);
    EXPECT_EQ(e->y, 132);
  }
  EXPECT_EQ(game.State().g_player.score, 520);
}

}  // namespace
