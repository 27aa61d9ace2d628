// The committed stages: each loads, its script lasts about three minutes and
// carries the background over the whole map exactly once, and a scripted
// player goes from the title screen to stage 1's clear, shooting the carrier
// down on the way. Stage 2's ground enemies come in over rock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/replay.hpp"
#include "data/stage2_sheet.hpp"
#include "data/table_walk.hpp"
#include "play_fixture.hpp"

namespace {

using testing_support::HeadlessGame;
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
  std::vector<std::pair<int32_t, int64_t>> released;  // each row with a key, and the lines moved before its frame
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
    if (!stage.Text(StageColumn::KEY, step.row).empty()) walk.released.push_back({step.row, walk.linesScrolled});
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

// Stage 2's pack: its tables pass the start-up check, its script keeps the
// same time and ground as stage 1's, and every ground enemy comes in over
// rock (the map row entering the top of the screen in its frame).
TEST(StageContent, StageTwoChecksLastsAboutThreeMinutesAndBringsGroundEnemiesOverRock) {
  DataError error;
  const auto data = std::make_unique<GameData>();
  ASSERT_TRUE(LoadGameData(KESTROVA_SOURCE_DIR "/data/stage2", *data, &error, "stage")) << error.Message();
  const ScriptWalk walk = WalkScript(data->stageTable);
  EXPECT_TRUE(walk.errors.empty()) << ::testing::PrintToString(walk.errors);
  EXPECT_GE(walk.eofFrame, 170 * kFramesPerSecond);
  EXPECT_LE(walk.eofFrame, 190 * kFramesPerSecond);
  EXPECT_EQ(walk.linesScrolled, int64_t{MAP_ROWS} * kTileSize);

  const RECT lava[] = {stage2::TILE_LAVA, stage2::TILE_LAVA_FLOW, stage2::TILE_CRUST, stage2::TILE_CRUST_TO_LAVA,
                       stage2::TILE_LAVA_TO_CRUST};
  const StageTable& stage = data->stageTable;
  std::vector<std::string> faults;
  int32_t ground = 0;
  for (const auto& [row, lines] : walk.released) {
    const int32_t type = data->dataTable.FindRow(stage.Text(StageColumn::KEY, row));
    const int32_t c = data->charTable.FindRow(data->dataTable.Text(DataColumn::CHAR, type));
    if (data->charTable.Int(CharColumn::KIND, c) != KIND_GROUND_ENEMY) continue;
    ++ground;
    const int32_t column = std::clamp((stage.Int(StageColumn::X, row) + kTileSize / 2) / kTileSize, 0, MAP_COLUMNS - 1);
    // The row it lands on and those either side of it.
    for (int64_t r = lines / kTileSize - 1; r <= lines / kTileSize + 1; ++r) {
      const RECT& tile = data->g_rcMap[static_cast<size_t>(r % MAP_ROWS)][static_cast<size_t>(column)];
      if (std::find(std::begin(lava), std::end(lava), tile) != std::end(lava))
        faults.push_back("line " + std::to_string(stage.LineOfRow(row)) + ": over lava");
    }
  }
  EXPECT_GT(ground, 0);
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

// Open water on the sheet: the water ramp (assets/SHEET.md) and the surf
// along the shores.
bool IsWaterPixel(uint8_t index) { return index / 16 == 12 || index == 11 * 16 + 13; }

TEST(StageContent, MapTilesArePaintedAndWaterMeetsWaterAlongEveryVisibleEdge) {
  HeadlessGame game(RepoDataDir());
  ASSERT_TRUE(game.Start());
  const Surface& sheet = testing_support::BuiltinSheet().pixels;
  const TileMap& map = game.core->Data().g_rcMap;
  const auto at = [&](const RECT& tile, int32_t x, int32_t y) { return sheet.Row(tile.top + y)[tile.left + x]; };
  std::vector<std::string> faults;
  const auto fault = [&faults](const std::string& what) {
    if (faults.size() < 5) faults.push_back(what);
  };
  for (int32_t row = 0; row < MAP_ROWS; ++row) {
    // Each row shows mirrored, above the row before it: a row's sheet top
    // meets the previous row's sheet bottom. The map repeats after its last row.
    const int32_t previous = (row + MAP_ROWS - 1) % MAP_ROWS;
    for (int32_t column = 0; column < MAP_COLUMNS; ++column) {
      const RECT& tile = map[row][column];
      const std::string where = "row " + std::to_string(row) + ", column " + std::to_string(column);
      // Tiles are copied opaque: a black pixel would show through as a hole.
      for (int32_t i = 0; i < kTileSize * kTileSize; ++i) {
        if (at(tile, i % kTileSize, i / kTileSize) == 0) {
          fault("a hole in the tile at " + where);
          break;
        }
      }
      if (column < kFirstShownColumn || column > kLastShownColumn) continue;
      for (int32_t i = 0; i < kTileSize; ++i) {
        const bool belowDiffers = IsWaterPixel(at(tile, i, 0)) != IsWaterPixel(at(map[previous][column], i, kTileSize - 1));
        const bool rightDiffers = column < kLastShownColumn &&
                                  IsWaterPixel(at(tile, kTileSize - 1, i)) != IsWaterPixel(at(map[row][column + 1], 0, i));
        if (belowDiffers || rightDiffers) {
          fault("water meets land at " + where + (belowDiffers ? " and the row below" : " and the column right"));
          break;
        }
      }
    }
  }
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

bool IsOpenWater(const RECT& tile) {
  const RECT water[] = {TILE_DEEP_WATER, TILE_WATER, TILE_WAVES, TILE_REEF, TILE_DEEP_TO_WATER, TILE_WATER_TO_DEEP};
  return std::find(std::begin(water), std::end(water), tile) != std::end(water);
}

// The committed whole-stage replay, frame by frame (its recorded checks and
// end pin the frame of the stage clear and the ground under it): the script
// lasts about three minutes and carries the ground over the map once, so every
// play meets the same ground at the same moments; ground enemies come in over
// dry ground, the carrier comes alone and is shot down before the end; and
// each sound starts in exactly the frames its cause happens in, every effect
// of play but the hit on the ship (the replay never takes one) heard.
TEST(StageContent, TheWholeStageReplayPlaysAndSoundsAsTheStageIsMeant) {
  const Replay replay = testing_support::CommittedReplay("tests/replays/full_stage.krp");
  HeadlessGame game(RepoDataDir());
  ASSERT_TRUE(game.Start());
  const GameData& data = game.core->Data();
  const ScriptWalk walk = WalkScript(data.stageTable);
  EXPECT_TRUE(walk.errors.empty()) << ::testing::PrintToString(walk.errors);
  EXPECT_GE(walk.eofFrame, 150 * kFramesPerSecond);
  EXPECT_LE(walk.eofFrame, 210 * kFramesPerSecond);
  EXPECT_EQ(walk.linesScrolled, int64_t{MAP_ROWS} * kTileSize);
  const PlayState& play = game.State();
  const Player& p = play.g_player;
  const auto count = [&play](int16_t kind) { return play_test::Nodes(play.mainList, kind).size(); };
  int64_t carrierFrames = 0;
  size_t mostCarriers = 0;
  bool shotDown = false;
  std::vector<std::string> faults;
  std::vector<int64_t> heard(kEffectCount);
  for (int64_t call = 1; call <= replay.script.Length() && !play.m_state.m_bStageClear && faults.size() <= 5; ++call) {
    const InputRun* input = replay.script.RunAt(call);
    const bool playing = play.m_state.m_bPlaying != 0;
    const Player before = p;
    game.Idle(1, input->keys, input->click);
    const std::string frame = "call " + std::to_string(call) + ": ";
    for (size_t i = 0; i < kEffectCount; ++i) heard[i] += game.Sounded(static_cast<Effect>(i));
    const bool fired = std::find(input->keys.begin(), input->keys.end(), VK_SPACE) != input->keys.end();
    const auto dying = play_test::Nodes(play.mainList, KIND_CARRIER_DEATH);
    const bool down = game.Sounded(Effect::SmallDown) || game.Sounded(Effect::LargeDown) ||
                      game.Sounded(Effect::PartDown) || game.Sounded(Effect::CarrierDown);
    const std::pair<bool, bool> rules[] = {
        {game.Sounded(Effect::Start), !playing && play.m_state.m_bPlaying},
        {game.Sounded(Effect::Volley), playing && fired && play.g_nFireTimer == 1},
        {game.Sounded(Effect::Bomb), p.bombs < before.bombs},
        {game.Sounded(Effect::ShipHit), p.energy < before.energy},
        {game.Sounded(Effect::CarrierDown), !dying.empty() && dying[0]->animFrame == 0},
        {down || p.score == before.score, true},  // every score comes with a sound
        {game.Sounded(Effect::BombItem) || p.bombs <= before.bombs, true},
        {game.Sounded(Effect::EnergyItem) || p.energy <= before.energy, true},
        {game.Sounded(Effect::LevelItem) || p.level <= before.level, true},
    };
    for (size_t r = 0; r < std::size(rules); ++r) {
      if (rules[r].first != rules[r].second) faults.push_back(frame + "sound rule " + std::to_string(r));
    }
    if (!playing) continue;
    mostCarriers = std::max(mostCarriers, count(KIND_CARRIER));
    carrierFrames += count(KIND_CARRIER) > 0;
    // A carrier that flies off is removed in the frame it starts dying.
    shotDown = shotDown || !dying.empty();
    // Ground enemies come in above the playfield with the map row being drawn there.
    for (const GameObject* o = play.mainList.First(); o != nullptr; o = o->next) {
      if (o->kind != KIND_GROUND_ENEMY || o->y >= 0) continue;
      const int32_t row = (play.g_nMapRow + MAP_ROWS - 1) % MAP_ROWS;
      const int32_t column = std::clamp(static_cast<int32_t>(o->x + o->width / 2) / kTileSize, 0, MAP_COLUMNS - 1);
      if (IsOpenWater(data.g_rcMap[row][column])) faults.push_back(frame + "a ground enemy over open water");
    }
  }
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
  ASSERT_TRUE(play.m_state.m_bStageClear);
  EXPECT_TRUE(carrierFrames > 0 && mostCarriers == 1u && shotDown && count(KIND_CARRIER) == 0u);
  for (Effect e : {Effect::Volley, Effect::Hit, Effect::SmallDown, Effect::LargeDown, Effect::PartDown,
                   Effect::CarrierDown, Effect::Bomb, Effect::Start}) {
    EXPECT_GT(heard[static_cast<size_t>(e)], 0) << EffectName(e);
  }
}

}  // namespace
