#include <gtest/gtest.h>

#include "play_fixture.hpp"

namespace {

using namespace play_test;

// Replaces a table after start-up, past the load-time checks, to see what
// play does with data those checks would have refused.
void Replace(CsvTable& table, int32_t rows, const std::string& text) {
  ASSERT_TRUE(table.Allocate(rows));
  ASSERT_TRUE(table.LoadBytes(text, "replaced.csv", nullptr));
}

TEST(StageScript, EachRowWaitsItsCountOfFrames) {
  // Waits 5, 0 and 1: the rows come in frames 1, 6, 7 and 8.
  PlayGame game(StillTypes(), "E1,100,0,5\nE1,200,0,0\nE1,300,0,1\nE1,400,0,1000\n,,,1000\nEOF,\n");
  const size_t enemiesAfter[] = {1, 1, 1, 1, 1, 2, 3, 4, 4};
  for (size_t frame = 0; frame < std::size(enemiesAfter); ++frame) {
    game.Idle();
    EXPECT_EQ(Nodes(game.State().mainList, KIND_ENEMY).size(), enemiesAfter[frame]) << "frame " << frame + 1;
  }
  const auto enemies = Nodes(game.State().mainList, KIND_ENEMY);
  EXPECT_EQ(enemies[1]->x, 200);
  EXPECT_EQ(enemies[3]->x, 400);
}

TEST(StageScript, DotSetsTheScrollSpeedInTheSameFrame) {
  const struct {
    const char* value;
    int speed;
  } cases[] = {{"4", 4}, {"256", 0}, {"-1", 255}, {"2", 2}};
  for (const auto& c : cases) {
    PlayGame game(StillTypes(), std::string("E1,100,0,30\nDOT,,,") + c.value + "\n,,,1000\nEOF,\n");
    game.Idle();
    EXPECT_EQ(game.State().m_state.m_nScrollSpeed, c.speed) << c.value;
    EXPECT_EQ(game.State().g_nStageRow, 2) << c.value;
  }
}

TEST(StageScript, EndRowShowsTheClearScreenFromTheNextIdleCall) {
  PlayGame game(StillTypes(), "E1,100,0,30\nDOT,,,2\nEOF,\n");
  const int64_t presents = game.platform.PresentCount();
  game.Idle();
  // The whole frame of play still ran: released, scrolled, presented.
  EXPECT_EQ(game.State().m_state.m_bStageClear, 1);
  EXPECT_EQ(game.State().m_state.m_bPlaying, 0);
  EXPECT_EQ(game.State().m_state.m_nScrollSpeed, 2);
  EXPECT_EQ(game.State().g_nStageRow, 0);
  EXPECT_EQ(game.State().g_nStageWait, 29);
  EXPECT_EQ(Nodes(game.State().mainList, KIND_ENEMY).size(), 1u);
  EXPECT_EQ(game.platform.PresentCount(), presents + 1);
  game.Idle();  // the clear screen: no frame of play, so no countdown
  EXPECT_EQ(game.State().g_nStageWait, 29);
}

TEST(StageScript, KeywordsCountOnlyAfterATakenRow) {
  // DOT as row 0 is looked up as a type key; so is a second DOT in a row.
  PlayGame game(StillTypes() + Type("DOT", "E"), "DOT,100,0,1\nDOT,,,3\nDOT,200,0,1000\nEOF,\n");
  game.Idle();
  EXPECT_EQ(game.State().m_state.m_nScrollSpeed, 3);
  EXPECT_EQ(game.State().g_nStageRow, 2);
  game.Idle();
  EXPECT_EQ(Nodes(game.State().mainList, KIND_ENEMY).size(), 2u);
  EXPECT_EQ(game.State().m_state.m_bStageClear, 1);
}

TEST(StageScript, ReleaseTakesTheTypeCharacterAndChildren) {
  const std::string data = Type("E1", "S", "7,300,5,2,,,3") +
                           "C1,,,,,INIT,,,C\n,64,64,1000,0,,,0\n,,,,,START\n,0,0,,7,,,,P1\n,-16,40,,9,,,,P1\n"
                           ",,,,,END\n,,,,\n" + StillTypes();
  PlayGame game(data, "E1,100,50,0\nC1,200,60,1000\nEOF,\n");
  game.Idle();
  const GameObject& e = *Nodes(game.State().mainList, KIND_ENEMY).at(0);
  EXPECT_EQ(e.shotType, 65);
  EXPECT_EQ(e.hitPoints, 1);
  EXPECT_EQ(e.scoreValue, 1);
  EXPECT_EQ(e.programRow, 1);
  EXPECT_EQ(e.fireChance, 2);
  EXPECT_EQ(e.speed, 3);
  EXPECT_EQ(e.angleX, 7);
  EXPECT_EQ(e.angleY, 300);
  EXPECT_EQ(e.stepTimer, 4);  // 5, counted down once in its first frame
  game.Idle();
  const GameObject& c = *Nodes(game.State().mainList, KIND_CARRIER).at(0);
  EXPECT_EQ(c.programRow, 8);  // the row below "END" (rows 0-1 E1, C1 at 2)
  const int16_t kinds[] = {7, 9};
  const float xs[] = {200, 184}, ys[] = {60, 100};
  size_t i = 0;
  for (const GameObject* child = game.State().childList.First(); child != nullptr; child = child->next, ++i) {
    ASSERT_LT(i, 2u);
    EXPECT_EQ(child->kind, kinds[i]);
    EXPECT_EQ(child->x, xs[i]);
    EXPECT_EQ(child->y, ys[i]);
    EXPECT_EQ(child->scoreValue, 10);
  }
  EXPECT_EQ(i, 2u);
}

TEST(StageScript, RunTimeScansStopAtTheTableCapacity) {
  PlayGame game(StillTypes(), kQuietScript);
  // A script without "EOF": one row a frame until the capacity ends it.
  Replace(game.app->m_data->stageTable, STAGE_TABLE_ROWS, ",,,0\n");
  game.State().g_nStageWait = 0;
  game.State().g_nStageRow = 0;
  game.Idle(STAGE_TABLE_ROWS - 1);
  EXPECT_EQ(game.State().m_state.m_bPlaying, 1);
  game.Idle();
  EXPECT_EQ(game.State().m_state.m_bStageClear, 1);
  EXPECT_EQ(game.State().g_nStageRow, 0);
}

TEST(StageScript, StartWithoutEndReleasesUpToTheCapacity) {
  PlayGame game(StillTypes(), kQuietScript);
  Replace(game.app->m_data->dataTable, DATA_TABLE_ROWS, "C1,,,,,INIT,,,C\n,0,0,1,0,,,0\n,,,,,START\n,0,0,,7,,,,P1\nP1,,,,,INIT,,,P\n");
  Replace(game.app->m_data->stageTable, STAGE_TABLE_ROWS, "C1,200,100,1000\n,,,\nEOF,\n");
  game.State().g_nStageWait = 0;
  game.State().g_nStageRow = 0;
  game.Idle();
  // Rows 3 to 511 each made a child; all but the first have kind 0 and the
  // carrier's walk in the same frame dropped them.
  EXPECT_EQ(CountNodes(game.State().childList), 1u);
  EXPECT_EQ(Nodes(game.State().mainList, KIND_CARRIER).at(0)->programRow, DATA_TABLE_ROWS + 1);
  game.Idle(3);  // its program goes on past the end, reading empty rows
  const auto carriers = Nodes(game.State().mainList, KIND_CARRIER);
  ASSERT_EQ(carriers.size(), 1u);
  EXPECT_EQ(carriers[0]->programRow, DATA_TABLE_ROWS + 1);
}

TEST(StageScript, KeyWithoutInitReleasesNothing) {
  PlayGame game(StillTypes(), kQuietScript);
  Replace(game.app->m_data->stageTable, STAGE_TABLE_ROWS, "E1,100,0,0\nE1,,,0\n,,,0\nE1,,,0\n,,,1000\nEOF,\n");
  // Row 1 of the data is E1's step, not a type header.
  Replace(game.app->m_data->dataTable, DATA_TABLE_ROWS, ",,,,,INIT,,,E\nE1,0,0,1000,0,,,0\n");
  game.State().g_nStageWait = 0;
  game.State().g_nStageRow = 0;
  game.Idle(5);
  EXPECT_EQ(CountNodes(game.State().mainList), 0u);
}

}  // namespace
