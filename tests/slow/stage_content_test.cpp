// The committed stage: it loads, its script lasts about three minutes and
// carries the background over the whole map exactly once, and a scripted
// player goes from the title screen to the stage clear, shooting the carrier
// down on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/input_script.hpp"
#include "app/replay.hpp"
#include "data/numbers.hpp"
#include "data/table_walk.hpp"
#include "data/tables.hpp"
#include "game/object.hpp"
#include "play_fixture.hpp"

namespace {

using testing_support::HeadlessGame;
using testing_support::ReadFile;
using testing_support::RepoDataDir;

constexpr int64_t kFramesPerSecond = 60;
constexpr int32_t kTileSize = 32;
constexpr int32_t kFirstShownColumn = 3;  // of the 20; the others stay outside the playfield
constexpr int32_t kLastShownColumn = 16;

// The script as the stage step takes it: a row, then its wait (a wait below
// one still lasts a frame); a "DOT" right after a row sets the scroll speed
// in that row's frame, and an "EOF" right after them ends the stage in it.
struct ScriptWalk {
  int64_t eofFrame = 0;       // play frame in which "EOF" is seen
  int64_t linesScrolled = 0;  // background lines moved in frames 1..eofFrame
  std::vector<std::string> errors;
};

ScriptWalk WalkScript(const StageTable& stage) {
  ScriptWalk walk;
  int64_t frame = 1;
  int64_t speed = 1;  // the window's scroll speed before any "DOT"
  for (int32_t row = 0;;) {
    const ScriptStep step = TakeScriptStep(stage, row);
    const int64_t wait = std::max<int64_t>(1, stage.Int(StageColumn::WAIT, step.row));
    if (step.speedRow >= 0) {
      speed = stage.Int(StageColumn::WAIT, step.speedRow);
      const std::string line = std::to_string(stage.LineOfRow(step.speedRow));
      // Any other change leaves stale or unwritten lines in the picture.
      if (speed != 1 && speed != 2 && speed != 4 && speed != 8) {
        walk.errors.push_back("scroll speed " + std::to_string(speed) + " at line " + line);
      } else if (walk.linesScrolled % speed != 0) {
        walk.errors.push_back("speed " + std::to_string(speed) + " set after " + std::to_string(walk.linesScrolled) +
                              " lines, at line " + line);
      }
    }
    if (step.ranOff) walk.errors.push_back("no \"EOF\"");
    if (step.ends) {
      walk.linesScrolled += speed;
      walk.eofFrame = frame;
      return walk;
    }
    walk.linesScrolled += speed * wait;
    frame += wait;
    row = step.next;
  }
}

TEST(StageContent, ScriptLastsAboutThreeMinutesAndCrossesTheMapOnce) {
  DataError error;
  const auto data = std::make_unique<GameData>();
  ASSERT_TRUE(LoadGameData(RepoDataDir().string(), *data, &error)) << error.Message();
  const ScriptWalk walk = WalkScript(data->stageTable);
  EXPECT_TRUE(walk.errors.empty()) << ::testing::PrintToString(walk.errors);
  EXPECT_GE(walk.eofFrame, 150 * kFramesPerSecond);
  EXPECT_LE(walk.eofFrame, 210 * kFramesPerSecond);
  // Every play of the stage then meets the same ground at the same moments.
  EXPECT_EQ(walk.linesScrolled, int64_t{MAP_ROWS} * kTileSize);
}

TEST(StageContent, EveryMapTileIsAWhollyPaintedSheetCell) {
  HeadlessGame game(RepoDataDir());
  ASSERT_TRUE(game.Start());
  const Surface& sheet = game.Display().GetSheetSurface();
  // Tiles are copied opaque: a black pixel would show through as a hole.
  std::vector<std::string> holes;
  for (int32_t row = 0; row < MAP_ROWS; ++row) {
    for (int32_t column = 0; column < MAP_COLUMNS; ++column) {
      const RECT& tile = game.app->m_data->g_rcMap[row][column];  // on the sheet: the load checks see to that
      int32_t painted = 0;
      for (int32_t y = tile.top; y < tile.bottom; ++y)
        for (int32_t x = tile.left; x < tile.right; ++x) painted += sheet.Row(y)[x] != 0 ? 1 : 0;
      if (painted != kTileSize * kTileSize && holes.size() < 5)
        holes.push_back(std::to_string(row) + "," + std::to_string(column));
    }
  }
  EXPECT_TRUE(holes.empty()) << ::testing::PrintToString(holes);
}

// Open water on the sheet: the water ramp (assets/SHEET.md) and the surf
// along the shores.
bool IsWaterPixel(uint8_t index) { return index / 16 == 12 || index == 11 * 16 + 13; }

TEST(StageContent, WaterMeetsWaterAlongEveryVisibleTileEdge) {
  HeadlessGame game(RepoDataDir());
  ASSERT_TRUE(game.Start());
  const Surface& sheet = game.Display().GetSheetSurface();
  const auto water = [&](const RECT& tile, int32_t x, int32_t y) {
    return IsWaterPixel(sheet.Row(tile.top + y)[tile.left + x]);
  };
  // Each row shows mirrored, above the row before it: a row's sheet top
  // meets the previous row's sheet bottom. The map repeats after its last row.
  std::vector<std::string> seams;
  for (int32_t row = 0; row < MAP_ROWS; ++row) {
    const int32_t previous = (row + MAP_ROWS - 1) % MAP_ROWS;
    for (int32_t column = kFirstShownColumn; column <= kLastShownColumn && seams.size() < 5; ++column) {
      const RECT& tile = game.app->m_data->g_rcMap[row][column];
      const RECT& below = game.app->m_data->g_rcMap[previous][column];
      const RECT& right = game.app->m_data->g_rcMap[row][column + 1];
      for (int32_t i = 0; i < kTileSize; ++i) {
        if (water(tile, i, 0) != water(below, i, kTileSize - 1)) {
          seams.push_back("rows " + std::to_string(row) + "/" + std::to_string(previous) + ", column " +
                          std::to_string(column));
          break;
        }
        if (column < kLastShownColumn && water(tile, kTileSize - 1, i) != water(right, 0, i)) {
          seams.push_back("row " + std::to_string(row) + ", columns " + std::to_string(column) + "/" +
                          std::to_string(column + 1));
          break;
        }
      }
    }
  }
  EXPECT_TRUE(seams.empty()) << ::testing::PrintToString(seams);
}

bool IsOpenWater(const RECT& tile) {
  const RECT water[] = {TILE_DEEP_WATER, TILE_WATER, TILE_WAVES, TILE_REEF, TILE_DEEP_TO_WATER, TILE_WATER_TO_DEEP};
  return std::find(std::begin(water), std::end(water), tile) != std::end(water);
}

// What one run of the full-stage script shows, frame by frame.
struct FullRun {
  std::string setupError;  // the script or the start-up failed
  int64_t playFrames = 0;  // frames of play before the first stage clear
  bool cleared = false;
  int64_t carrierFrames = 0;  // frames with a carrier in play
  size_t mostCarriers = 0;
  bool carrierShotDown = false;  // a dying carrier outlived its frame
  bool carrierAtClear = false;
  bool liveChildAtClear = false;
  int32_t mapRowAtClear = -1;
  int32_t tileLineAtClear = -1;
  std::vector<std::string> faults;  // the first few frames with ground enemies over water or the scroll out of step

  void Fault(const std::string& what) {
    if (faults.size() < 5) faults.push_back(what);
  }
};

size_t Count(HeadlessGame& game, int16_t kind) { return play_test::Nodes(game.State().mainList, kind).size(); }

void CheckFrame(HeadlessGame& game, int64_t playFrame, FullRun& run) {
  const int32_t speed = game.State().m_state.m_nScrollSpeed;
  if (speed != 0 && (game.State().g_nTileLine % speed != 0 || game.State().g_nScrollLine % speed != 0)) {
    run.Fault("frame " + std::to_string(playFrame) + ": scroll out of step with speed " + std::to_string(speed));
  }
  const size_t carriers = Count(game, KIND_CARRIER);
  run.mostCarriers = std::max(run.mostCarriers, carriers);
  run.carrierFrames += carriers > 0 ? 1 : 0;
  // A carrier that flies off is removed in the frame it starts dying.
  run.carrierShotDown = run.carrierShotDown || Count(game, KIND_CARRIER_DEATH) > 0;
  // Ground enemies come in above the playfield with the map row being drawn there.
  for (const GameObject* o = game.State().mainList.First(); o != nullptr; o = o->next) {
    if (o->kind != KIND_GROUND_ENEMY || o->y >= 0) continue;
    const int32_t row = (game.State().g_nMapRow + MAP_ROWS - 1) % MAP_ROWS;
    const int32_t column = std::clamp(static_cast<int32_t>(o->x + o->width / 2) / kTileSize, 0, MAP_COLUMNS - 1);
    if (IsOpenWater(game.app->m_data->g_rcMap[row][column])) {
      run.Fault("frame " + std::to_string(playFrame) + ": ground enemy at x " + std::to_string(static_cast<int>(o->x)) +
                " over open water, map row " + std::to_string(row));
    }
  }
}

FullRun PlayFullStage() {
  FullRun run;
  const auto path = std::filesystem::path(KESTROVA_SOURCE_DIR) / "tests" / "replays" / "full_stage.krp";
  Replay replay;
  std::string error;
  if (!LoadReplay(path.string(), replay, error)) {
    run.setupError = error;
    return run;
  }
  const InputScript& script = replay.script;
  HeadlessGame game(RepoDataDir());
  if (!game.Start()) {
    run.setupError = "start-up failed";
    return run;
  }
  for (int64_t call = 1; call <= script.Length() && !run.cleared; ++call) {
    const bool playing = game.State().m_state.m_bPlaying != 0;
    const InputRun* input = script.RunAt(call);
    game.Idle(1, input->keys, input->click);
    if (!playing) continue;
    ++run.playFrames;
    CheckFrame(game, run.playFrames, run);
    if (game.State().m_state.m_bStageClear != 0) {
      run.cleared = true;
      run.carrierAtClear = Count(game, KIND_CARRIER) > 0;
      for (const GameObject* c = game.State().childList.First(); c != nullptr; c = c->next) run.liveChildAtClear |= c->kind != 0;
      run.mapRowAtClear = game.State().g_nMapRow;
      run.tileLineAtClear = game.State().g_nTileLine;
    }
  }
  return run;
}

class FullStage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    DataError error;
    const auto data = std::make_unique<GameData>();
    if (LoadGameData(RepoDataDir().string(), *data, &error)) walk = WalkScript(data->stageTable);
    run = PlayFullStage();
  }
  static ScriptWalk walk;
  static FullRun run;
};

ScriptWalk FullStage::walk;
FullRun FullStage::run;

TEST_F(FullStage, ReachesTheStageClearWhenTheScriptEnds) {
  ASSERT_EQ(run.setupError, "");
  ASSERT_TRUE(run.cleared);
  ASSERT_GT(walk.eofFrame, 0);
  EXPECT_EQ(run.playFrames, walk.eofFrame);
  // One turn of the map, so the next play starts over the same open sea.
  EXPECT_EQ(run.mapRowAtClear, 0);
  EXPECT_EQ(run.tileLineAtClear, 0);
}

TEST_F(FullStage, GroundEnemiesComeOverDryGroundAndTheScrollStaysInStep) {
  ASSERT_EQ(run.setupError, "");
  EXPECT_TRUE(run.faults.empty()) << ::testing::PrintToString(run.faults);
}

TEST_F(FullStage, CarrierComesAloneIsShotDownAndIsGoneByTheEnd) {
  ASSERT_EQ(run.setupError, "");
  EXPECT_GT(run.carrierFrames, 0);
  EXPECT_EQ(run.mostCarriers, 1u);
  EXPECT_TRUE(run.carrierShotDown);
  EXPECT_FALSE(run.carrierAtClear);
  EXPECT_FALSE(run.liveChildAtClear);
}

}  // namespace
