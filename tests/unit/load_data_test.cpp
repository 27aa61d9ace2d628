#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "data/table_layout.hpp"
#include "data/tables.hpp"
#include "data/tile_map.hpp"
#include "data/trig_table.hpp"
#include "test_support.hpp"

namespace {

using testing_support::MakeTempDir;
using testing_support::RepoDataDir;
using testing_support::UniformMap;
using testing_support::WriteFile;

struct MapBuffer {
  TileMap tiles;
};

// Pair number n (x then y), one three-digit number per line.
std::string NumberLines(int32_t count, int32_t (*value)(int32_t n)) {
  std::string text;
  char line[8];
  for (int32_t n = 0; n < count; ++n) {
    std::snprintf(line, sizeof line, "%03d\n", value(n));
    text += line;
  }
  return text;
}

TEST(TileMap, ReadsThreeCharacterNumbers) {
  auto map = std::make_unique<MapBuffer>();
  const auto dir = MakeTempDir();
  const std::string path = (dir / "map.dat").string();
  DataError error;

  // Tile t = row * 20 + column has x = (t % 20) * 32 and y = (t % 15) * 32.
  WriteFile(path, NumberLines(20000, [](int32_t n) { return n % 2 == 0 ? (n / 2 % 20) * 32 : (n / 2 % 15) * 32; }));
  ASSERT_EQ(LoadTileMap(path, map->tiles, &error), TileMapResult::kLoaded) << error.Message();
  for (int32_t row = 0; row < MAP_ROWS; ++row) {
    for (int32_t column = 0; column < MAP_COLUMNS; ++column) {
      const int32_t t = row * MAP_COLUMNS + column;
      const RECT want{(t % 20) * 32, (t % 15) * 32, (t % 20) * 32 + 32, (t % 15) * 32 + 32};
      ASSERT_EQ(map->tiles[row][column], want) << row << "," << column;
    }
  }

  // Numbers without a separator split after three characters; any white space separates.
  const std::string rest = UniformMap(0, 0).substr(4 * 8);
  WriteFile(path, "032064\n 7\t\t12  1234\r\n+16 -0\n" + rest);
  ASSERT_EQ(LoadTileMap(path, map->tiles, &error), TileMapResult::kLoaded) << error.Message();
  EXPECT_EQ(map->tiles[0][0], (RECT{32, 64, 64, 96}));
  EXPECT_EQ(map->tiles[0][1], (RECT{7, 12, 39, 44}));
  EXPECT_EQ(map->tiles[0][2], (RECT{123, 4, 155, 36}));
  EXPECT_EQ(map->tiles[0][3], (RECT{16, 0, 48, 32}));
  EXPECT_EQ(map->tiles[0][4], (RECT{0, 0, 32, 32}));

  // Numbers past the 20000th are not read.
  WriteFile(path, UniformMap(608, 448) + "garbage\n");
  EXPECT_EQ(LoadTileMap(path, map->tiles, &error), TileMapResult::kLoaded);
  EXPECT_EQ(map->tiles[MAP_ROWS - 1][MAP_COLUMNS - 1], (RECT{608, 448, 640, 480}));
}

TEST(TileMap, BadFilesNameTheLine) {
  auto map = std::make_unique<MapBuffer>();
  const auto dir = MakeTempDir();
  const std::string path = (dir / "map.dat").string();
  const std::string good = UniformMap(32, 320);
  struct Case {
    const char* name;
    std::string text;
    int32_t line;
    const char* what;
  };
  const Case cases[] = {
      {"short file", good.substr(4), 20000, "ends after 19999 numbers"},
      {"empty file", "", 1, "ends after 0 numbers"},
      {"x past the sheet", "609\n" + good.substr(4), 1, "x 609"},
      {"y past the sheet", good.substr(0, 4 * 9) + "449\n" + good.substr(4 * 10), 10, "y 449"},
      {"negative corner", good.substr(0, 4 * 6) + "-32\n" + good.substr(4 * 7), 7, "x -32"},
      {"letter", good.substr(0, 4 * 3) + "0x5\n" + good.substr(4 * 4), 4, "'x'"},
      {"lone sign", "-\n" + good, 1, "'\\x0A'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(path, c.text);
    DataError error;
    EXPECT_EQ(LoadTileMap(path, map->tiles, &error), TileMapResult::kBad);
    EXPECT_EQ(error.file, path);
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.what.find(c.what), std::string::npos) << error.what;
  }

  map->tiles[3][4] = RECT{1, 2, 3, 4};
  EXPECT_EQ(LoadTileMap((dir / "absent.dat").string(), map->tiles, nullptr), TileMapResult::kMissing);
  EXPECT_EQ(map->tiles[3][4], RECT{});
}

TEST(LoadGameData, FillsEverythingFromTheCommittedFiles) {
  DataError error;
  const auto data = std::make_unique<GameData>();
  ASSERT_TRUE(LoadGameData(RepoDataDir().string(), *data, &error)) << error.Message();
  EXPECT_EQ(data->dataTable.Capacity(), 512);
  EXPECT_EQ(data->stageTable.Capacity(), 512);
  EXPECT_EQ(data->charTable.Capacity(), 64);
  // The carrier is the one 128 x 96 character.
  const int32_t carrier = data->charTable.FindRow("C_CARRIER");
  ASSERT_LT(carrier, data->charTable.Capacity());
  EXPECT_EQ(data->charTable.Int(CharColumn::WIDTH, carrier), 128);
  EXPECT_EQ(data->charTable.Int(CharColumn::KIND, carrier), 40);
  EXPECT_EQ(data->cosTable, kCosTable);
  EXPECT_EQ(data->sinTable, kSinTable);
  EXPECT_EQ(data->g_rcMap[0][0].right - data->g_rcMap[0][0].left, TILE_SIZE);
  // Loading again gives the same tables, not doubled cells.
  const std::string firstKey = data->stageTable.Text(StageColumn::KEY, 1);
  ASSERT_TRUE(LoadGameData(RepoDataDir().string(), *data, &error)) << error.Message();
  EXPECT_EQ(data->stageTable.Text(StageColumn::KEY, 1), firstKey);
}

TEST(LoadGameData, StartUpErrorsNameTheFile) {
  const auto dir = MakeTempDir();
  std::filesystem::copy(RepoDataDir(), dir, std::filesystem::copy_options::recursive);
  const std::string dataDir = dir.string();
  DataError error;
  const auto data = std::make_unique<GameData>();

  std::filesystem::remove(dir / "map.dat");
  testing::internal::CaptureStderr();
  EXPECT_TRUE(LoadGameData(dataDir, *data, &error)) << error.Message();
  EXPECT_NE(testing::internal::GetCapturedStderr().find(dataDir + "/map.dat"), std::string::npos);
  EXPECT_EQ(data->g_rcMap[0][0], RECT{});
  EXPECT_EQ(data->g_rcMap[MAP_ROWS - 1][MAP_COLUMNS - 1], RECT{});

  WriteFile(dir / "map.dat", "640\n");
  EXPECT_FALSE(LoadGameData(dataDir, *data, &error));
  EXPECT_EQ(error.Message(), dataDir + "/map.dat:1: tile x 640 puts the tile outside the 640x480 sheet");
  std::filesystem::remove(dir / "map.dat");

  std::string longScript;
  for (int32_t i = 0; i < 513; ++i) longScript += ",,,1\n";
  WriteFile(dir / "Stage1.csv", longScript);
  EXPECT_FALSE(LoadGameData(dataDir, *data, &error));
  EXPECT_EQ(error.Message(), dataDir + "/Stage1.csv:513: more rows than the capacity of 512");

  WriteFile(dir / "Stage1.csv", "FIGHTER_DIVE,100,0,1\nEOF\r\n");
  EXPECT_FALSE(LoadGameData(dataDir, *data, &error));
  EXPECT_EQ(error.Message(),
            dataDir + "/Stage1.csv:2: unknown key 'EOF\\r': no row of " + dataDir + "/data.csv holds it");

  std::filesystem::remove(dir / "char.csv");
  EXPECT_FALSE(LoadGameData(dataDir, *data, &error));
  EXPECT_EQ(error.Message(), dataDir + "/char.csv: cannot open");
}

}  // namespace
