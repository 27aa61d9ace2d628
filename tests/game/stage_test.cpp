// The stage script and what it releases: enemies and items following their
// programs, the carrier and its parts, and the scrolling background.
#include <gtest/gtest.h>

#include "play_fixture.hpp"

namespace {

using namespace play_test;

// The end row shows the clear screen from the next frame on.
TEST(StageScript, RowsWaitTheirFramesAndDotSetsTheScrollSpeedAndEofEndsTheStageInTheSameFrame) {
  // Waits 5, 0 and 1: the rows come in frames 1, 6, 7 and 8.
  PlayGame game(StillTypes(), "E1,100,0,5\nE1,200,0,0\nE1,300,0,1\nE1,400,0,1000\n,,,1000\nEOF,\n");
  const size_t enemiesAfter[] = {1, 1, 1, 1, 1, 2, 3, 4, 4};
  for (size_t frame = 0; frame < std::size(enemiesAfter); ++frame) {
    game.Idle();
    EXPECT_EQ(game.Of(KIND_ENEMY).size(), enemiesAfter[frame]) << "frame " << frame + 1;
  }
  EXPECT_TRUE(game.Of(KIND_ENEMY)[1]->x == 200 && game.Of(KIND_ENEMY)[3]->x == 400);

  const struct {
    const char* value;
    int speed;
  } speeds[] = {{"4", 4}, {"256", 0}, {"-1", 255}};
  for (const auto& c : speeds) {
    PlayGame dot(StillTypes(), std::string("E1,100,0,30\nDOT,,,") + c.value + "\n,,,1000\nEOF,\n");
    dot.Idle();
    EXPECT_EQ(dot.State().m_state.m_nScrollSpeed, c.speed) << c.value;
    EXPECT_EQ(dot.State().g_nStageRow, 2) << c.value;
  }

  PlayGame end(StillTypes(), "E1,100,0,30\nDOT,,,2\nEOF,\n");
  end.Idle();
  // The whole frame of play still ran: released, scrolled, presented.
  const PlayState& s = end.State();
  EXPECT_TRUE(s.m_state.m_bStageClear == 1 && s.m_state.m_bPlaying == 0 && s.m_state.m_nScrollSpeed == 2);
  EXPECT_EQ(s.g_nStageRow, 0);
  EXPECT_EQ(s.g_nStageWait, 29);
  EXPECT_EQ(end.Of(KIND_ENEMY).size(), 1u);
  EXPECT_EQ(end.last.screen, std::string("play"));
  end.Idle();  // the clear screen: no frame of play, so no countdown
  EXPECT_EQ(s.g_nStageWait, 29);
}

TEST(StageScript, ReleaseTakesTheTypeCharacterAndParts) {
  const std::string data = Type("E1", "S", "7,300,5,2,,,3") +
                           "C1,,,,,INIT,,,C\n,64,64,1000,0,,,0\n,,,,,START\n,0,0,,7,,,,P1\n,-16,40,,9,,,,P1\n"
                           ",,,,,END\n,,,,\n" + StillTypes();
  PlayGame game(data, "E1,100,50,0\nC1,200,60,1000\nEOF,\n");
  game.Idle();
  const GameObject& e = *game.Of(KIND_ENEMY).at(0);
  EXPECT_TRUE(e.shotType == 65 && e.hitPoints == 1 && e.scoreValue == 1 && e.programRow == 1);
  EXPECT_TRUE(e.fireChance == 2 && e.speed == 3 && e.angleX == 7 && e.angleY == 300);
  EXPECT_EQ(e.stepTimer, 4);  // 5, counted down once in its first frame
  game.Idle();
  EXPECT_EQ(game.Of(KIND_CARRIER).at(0)->programRow, 8);  // the row below "END" (rows 0-1 E1, C1 at 2)
  const int16_t kinds[] = {7, 9};
  const float xs[] = {200, 184}, ys[] = {60, 100};
  size_t i = 0;
  for (const GameObject* part = game.State().childList.First(); part != nullptr; part = part->next, ++i) {
    ASSERT_LT(i, 2u);
    EXPECT_TRUE(part->kind == kinds[i] && part->x == xs[i] && part->y == ys[i] && part->scoreValue == 10) << i;
  }
  EXPECT_EQ(i, 2u);
}

// Tables replaced after start-up, past the checks, to see what play does with
// data those checks refuse: it stops at the capacity and acts on nothing else.
TEST(StageScript, UncheckedTablesEndAtTheirCapacity) {
  // The script, and the types when given, replaced past the loader's checks; the script's wait cut short.
  const auto replaced = [](PlayGame& game, const std::string& stage, const std::string& types = "") {
    game.ChangeData([&](GameData& d) {
      ASSERT_TRUE(d.stageTable.Allocate(STAGE_TABLE_ROWS));
      ASSERT_TRUE(d.stageTable.LoadBytes(stage, "stage.csv", nullptr));
      if (types.empty()) return;
      ASSERT_TRUE(d.dataTable.Allocate(DATA_TABLE_ROWS));
      ASSERT_TRUE(d.dataTable.LoadBytes(types, "data.csv", nullptr));
    });
    game.State().g_nStageWait = 0;
  };
  PlayGame noEof;
  replaced(noEof, ",,,0\n");
  noEof.Idle(STAGE_TABLE_ROWS - 1);
  EXPECT_EQ(noEof.State().m_state.m_bPlaying, 1) << "one row a frame";
  noEof.Idle();
  EXPECT_EQ(noEof.State().m_state.m_bStageClear, 1);
  EXPECT_EQ(noEof.State().g_nStageRow, 0);

  PlayGame noEnd;
  replaced(noEnd, "C1,200,100,1000\n,,,\nEOF,\n",
           "C1,,,,,INIT,,,C\n,0,0,1,0,,,0\n,,,,,START\n,0,0,,7,,,,P1\nP1,,,,,INIT,,,P\n");
  noEnd.State().g_nStageRow = 0;
  noEnd.Idle();
  // Rows 3 to 511 each made a part; all but the first have kind 0 and the
  // carrier's walk in the same frame dropped them.
  EXPECT_EQ(CountNodes(noEnd.State().childList), 1u);
  noEnd.Idle(3);  // its program goes on past the end, reading empty rows
  ASSERT_EQ(noEnd.Of(KIND_CARRIER).size(), 1u);
  EXPECT_EQ(noEnd.Of(KIND_CARRIER)[0]->programRow, DATA_TABLE_ROWS + 1);

  PlayGame noInit;  // row 1 of the data is E1's step, not a type header
  replaced(noInit, "E1,100,0,0\nE1,,,0\n,,,1000\nEOF,\n", ",,,,,INIT,,,E\nE1,0,0,1000,0,,,0\n");
  noInit.State().g_nStageRow = 0;
  noInit.Idle(3);
  EXPECT_EQ(CountNodes(noInit.State().mainList), 0u);
}

TEST(Items, TouchingTheShipRaisesItsCounterUpToTheCap) {
  struct Case {
    const char* type;
    void (*set)(Player&);
    int (*get)(const Player&);
    int want[3];
    Effect sound;  // also when the counter is full
  };
  const Case cases[] = {
      {"L1", [](Player&) {}, [](const Player& p) { return int{p.level}; }, {2, 3, 3}, Effect::LevelItem},
      {"B1", [](Player& p) { p.bombs = 9; }, [](const Player& p) { return int{p.bombs}; }, {10, 10, 10},
       Effect::BombItem},
      {"N1", [](Player& p) { p.energy = 13; }, [](const Player& p) { return int{p.energy}; }, {14, 15, 15},
       Effect::EnergyItem},
  };
  for (const Case& c : cases) {
    // Three items on the ship, 70 frames apart: each touch protects for 65.
    const std::string row = std::string(c.type) + ",320,448,70\n";
    PlayGame game(StillTypes(), row + row + row + ",,,1000\nEOF,\n");
    c.set(game.P());
    for (int i = 0; i < 3; ++i) {
      game.Idle(i == 0 ? 1 : 70);
      EXPECT_EQ(c.get(game.P()), c.want[i]) << c.type << " item " << i + 1;
      EXPECT_EQ(CountNodes(game.State().mainList), 0u) << c.type << " item " << i + 1;
      EXPECT_EQ(game.P().hitFlag, 1) << c.type << " item " << i + 1;
      EXPECT_TRUE(game.Sounded(c.sound)) << c.type << " item " << i + 1;
      EXPECT_FALSE(game.Sounded(Effect::ShipHit)) << c.type << " item " << i + 1;
    }
  }
}

TEST(Enemies, FlyingOnesTouchTheShipGroundOnesRideTheScrollAndAllLeavePastTheirSize) {
  const std::string types = StillTypes() + Type("G2", "G", "100,64,1000,0,,,1") + Type("E2", "E", "100,64,1000,0,,,1");
  const struct {
    const char* type;
    float yAfter10;
    int energy;
  } riders[] = {{"G2", 450, 15}, {"E2", 430, 14}};
  for (const auto& c : riders) {
    // Scroll speed 2 from the first frame on.
    PlayGame game(types, std::string(c.type) + ",320,420,1000\nDOT,,,2\n,,,1000\nEOF,\n");
    game.Idle(10);
    const auto movers = game.Of(c.type[0] == 'G' ? KIND_GROUND_ENEMY : KIND_ENEMY);
    ASSERT_EQ(movers.size(), 1u) << c.type;
    EXPECT_EQ(movers[0]->y, c.yAfter10) << c.type;
    EXPECT_EQ(game.P().energy, c.energy) << c.type;
  }
  const struct {
    float x, y;
    int16_t angleX, angleY;
  } leavers[] = {
      {66, 100, 128, 0},    // 65, 64, then 63 < 96 - 32
      {574, 100, 0, 0},     // 575, 576, then 577 > 544 + 32
      {200, -30, 64, 192},  // -31, -32, then -33 < -32
      {200, 510, 64, 64},   // 511, 512, then 513 > 480 + 32
  };
  for (const auto& c : leavers) {
    PlayGame game;
    GameObject* enemy = game.Add(KIND_ENEMY, c.x, c.y, c.angleX, 1);
    enemy->angleY = c.angleY;
    game.Idle(2);
    EXPECT_EQ(game.Of(KIND_ENEMY).size(), 1u) << c.x << "," << c.y;
    game.Idle();
    EXPECT_TRUE(game.Of(KIND_ENEMY).empty()) << c.x << "," << c.y;
  }
}

TEST(Enemies, FireAimedBulletsOrASpreadOfThree) {
  const std::string types = StillTypes() + Type("F1", "E", "0,0,1000,1,,,0") + Type("F3", "S", "0,0,1000,1,,,0");
  // Straight above the ship: the scaled sine gives 40, not 64.
  const struct {
    const char* type;
    std::vector<int16_t> angles;
    int16_t kind;
  } cases[] = {{"F1", {40}, KIND_BULLET}, {"F3", {40, 48, 32}, KIND_SPREAD_BULLET}, {"E1", {}, KIND_BULLET}};
  for (const auto& c : cases) {
    PlayGame game(types, std::string(c.type) + ",320,100,1000\n,,,1000\nEOF,\n");
    for (int frames = 0; game.Of(c.kind).empty() && frames < (c.angles.empty() ? 200 : 50); ++frames) game.Idle();
    const auto bullets = game.Of(c.kind);
    ASSERT_EQ(bullets.size(), c.angles.size()) << c.type;
    for (size_t i = 0; i < bullets.size(); ++i) {
      EXPECT_TRUE(bullets[i]->angleX == c.angles[i] && bullets[i]->angleY == c.angles[i] && bullets[i]->speed == 2)
          << c.type << " bullet " << i;
    }
  }
}

TEST(Enemies, ProgramsChangeImageAndJump) {
  const std::string types = StillTypes() +
                            "M1,,,,,INIT,,,E\n,0,0,1,0,,,0\n,,,,,BITMAP,,,W\n,,,,,,LOOP\n,9,9,9,9,,,9\n"
                            "LOOP,5,6,2,0,,,0\n,,,,,,LOOP\n";
  PlayGame game(types, "M1,200,100,1000\n,,,1000\nEOF,\n");
  const int16_t loopRow = static_cast<int16_t>(game.core->Data().dataTable.FindRow("LOOP"));
  // Frame 1 ends the one-frame step: the image changes and the jump leads
  // to LOOP, loaded as the step; LOOP's two frames then end in its own jump back.
  for (int16_t timer : {2, 1, 2, 1, 2}) {
    game.Idle();
    const GameObject& m = *game.Of(KIND_ENEMY).at(0);
    EXPECT_TRUE(m.programRow == loopRow && m.stepTimer == timer && m.angleX == 5 && m.angleY == 6);
    EXPECT_TRUE(m.srcLeft == 64 && m.width == 48 && m.height == 16);
  }
}

// The carrier: C1 with two 32 x 32 parts side by side, and its program on from them.
std::string CarrierTypes(const std::string& step, const std::string& program = ",") {
  return StillTypes() + "C1,,,,,INIT,,,C\n," + step + "\n,,,,,START\n,0,0,,7,,,,P1\n,32,0,,7,,,,P1\n,,,,,END\n" + program +
         "\n";
}

TEST(Carrier, LeavingThePlayfieldTakesItsPartsAndScores) {
  PlayGame game(CarrierTypes("64,64,1000,0,,,100"), "C1,300,400,1000\n,,,1000\nEOF,\n");
  game.Idle();  // y 500: still inside the 64-line margin
  EXPECT_EQ(CountNodes(game.State().childList), 2u);
  game.Idle();  // y 600: gone, and with it every part
  EXPECT_EQ(CountNodes(game.State().mainList), 0u);
  EXPECT_EQ(CountNodes(game.State().childList), 0u);
  EXPECT_EQ(game.P().score, 500);
}

// A carrier's program may change with its parts: a PHASE row jumps once the
// parts left are its TIMER or fewer, and a step with a fire chance fires. It
// dies when its last part is shot, and frees the parts.
TEST(Carrier, PhasesFollowItsLivePartsAStepWithAChanceFiresAndTheLastPartShotEndsIt) {
  const std::string phases = "ONE,0,0,1,0,,,0\n,,,1,,PHASE,TWO\n,,,,,,ONE\nTWO,0,0,1000,5,,,0";
  PlayGame game(CarrierTypes("0,0,1,0,,,0", phases), "C1,300,100,1000\n,,,1000\nEOF,\n");
  const int32_t two = game.core->Data().dataTable.FindRow("TWO");
  game.Idle(200);
  EXPECT_TRUE(game.Of(KIND_BULLET).empty()) << "both parts: the first phase, which never fires";
  EXPECT_NE(game.Of(KIND_CARRIER).at(0)->programRow, two);
  // Still shots inside the first part's box, then the second's.
  game.Add(KIND_PLAYER_BULLET, 305, 105, 192);
  game.Idle();
  EXPECT_EQ(game.P().score, 10);
  EXPECT_TRUE(game.Sounded(Effect::PartDown) && !game.Sounded(Effect::CarrierDown));
  EXPECT_EQ(game.State().childList.First()->kind, KIND_NONE);
  game.Idle(2);
  EXPECT_EQ(game.Of(KIND_CARRIER).at(0)->programRow, two) << "one part left";
  game.Idle(100);
  const auto bullets = game.Of(KIND_BULLET);
  ASSERT_FALSE(bullets.empty());
  EXPECT_TRUE(bullets[0]->angleX == bullets[0]->angleY && bullets[0]->angleX > 0 && bullets[0]->angleX < 128)
      << "aimed down at the ship";
  game.Add(KIND_PLAYER_BULLET, 340, 105, 192);
  game.Idle();
  EXPECT_EQ(game.P().score, 20);
  EXPECT_EQ(CountNodes(game.State().childList), 1u) << "the part shot stays until the next frame's walk";
  game.Idle();
  EXPECT_EQ(CountNodes(game.State().childList), 0u);
  ASSERT_EQ(game.Of(KIND_CARRIER_DEATH).size(), 1u);
  EXPECT_TRUE(game.Sounded(Effect::CarrierDown));
  EXPECT_EQ(game.P().score, 520);
  // 33 frames of explosions, every one at the only point 32 in from a 64 x 64 box.
  game.Idle(32);
  EXPECT_EQ(game.Of(KIND_CARRIER_DEATH).size(), 1u);
  game.Idle();
  EXPECT_TRUE(game.Of(KIND_CARRIER_DEATH).empty());
  const auto explosions = game.Of(KIND_EXPLOSION);
  EXPECT_EQ(explosions.size(), 33u);
  for (const GameObject* e : explosions) EXPECT_TRUE(e->x == 332 && e->y == 132);
  EXPECT_EQ(game.P().score, 520);
}

// The fixture's map uses the tile at (0, 320) everywhere; its line L is
// painted L + 1 and the rest of the sheet is left black.
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
  constexpr int kProbeX = 400;  // clear of the score, the ship and the gauges
  for (const auto& c : cases) {
    PlayGame game;
    game.PaintSheet([](Surface& sheet) {
      ClearSurface(sheet);
      for (int32_t line = 0; line < 32; ++line) std::fill_n(sheet.Row(320 + line), 32, static_cast<uint8_t>(line + 1));
    });
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

TEST(Background, OneMapRowEvery32OverSFramesAndTheRingRestartsWithoutTheRemainder) {
  PlayGame game;
  PlayState& s = game.State();
  game.Idle(32);
  EXPECT_TRUE(s.g_nMapRow == 1 && s.g_nTileLine == 0 && s.g_nScrollLine == 32);
  game.Idle();
  EXPECT_EQ(s.g_nMapRow, 2);
  s.m_state.m_nScrollSpeed = 16;
  game.Idle(4);  // t 1 -> 17 -> 0 (33 wraps) -> 16 -> 0: one new row
  EXPECT_EQ(s.g_nMapRow, 3);
  EXPECT_EQ(s.g_nScrollLine, 97);  // 33 + 4 * 16 lines so far
  // Speed 0 stands still but stages a map row every frame.
  s.m_state.m_nScrollSpeed = 0;
  game.Idle(3);
  EXPECT_EQ(s.g_nMapRow, 6);
  EXPECT_EQ(s.g_nScrollLine, 97);
  // A speed that does not divide 480 restarts the ring without the remainder.
  s.g_nScrollLine = 0;
  s.m_state.m_nScrollSpeed = 7;
  game.Idle(68);  // 68 * 7 = 476
  EXPECT_EQ(s.g_nScrollLine, 476);
  game.Idle();
  EXPECT_EQ(s.g_nScrollLine, 0);
}

}  // namespace
