// The data folder: where it is, the tile map, the tables loaded and checked,
// the angle tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "app/data_places.hpp"
#include "data/data_check.hpp"
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

TEST(TileMap, ReadsThreeCharacterNumbers) {
  const auto map = std::make_unique<TileMap>();
  const std::string path = (MakeTempDir() / "map.dat").string();
  DataError error;

  // Tile t = row * 20 + column has x = (t % 20) * 32 and y = (t % 15) * 32.
  std::string text;
  for (int32_t t = 0; t < MAP_ROWS * MAP_COLUMNS; ++t) {
    char pair[16];
    std::snprintf(pair, sizeof pair, "%03d\n%03d\n", t % 20 * 32, t % 15 * 32);
    text += pair;
  }
  WriteFile(path, text);
  ASSERT_EQ(LoadTileMap(path, *map, &error), TileMapResult::kLoaded) << error.Message();
  for (int32_t row = 0; row < MAP_ROWS; ++row) {
    for (int32_t column = 0; column < MAP_COLUMNS; ++column) {
      const int32_t t = row * MAP_COLUMNS + column;
      const RECT want{(t % 20) * 32, (t % 15) * 32, (t % 20) * 32 + 32, (t % 15) * 32 + 32};
      ASSERT_EQ((*map)[row][column], want) << row << "," << column;
    }
  }

  // Numbers without a separator split after three characters; any white space separates.
  const std::string rest = UniformMap(0, 0).substr(4 * 8);
  WriteFile(path, "032064\n 7\t\t12  1234\r\n+16 -0\n" + rest);
  ASSERT_EQ(LoadTileMap(path, *map, &error), TileMapResult::kLoaded) << error.Message();
  EXPECT_EQ((*map)[0][0], (RECT{32, 64, 64, 96}));
  EXPECT_EQ((*map)[0][1], (RECT{7, 12, 39, 44}));
  EXPECT_EQ((*map)[0][2], (RECT{123, 4, 155, 36}));
  EXPECT_EQ((*map)[0][3], (RECT{16, 0, 48, 32}));
  EXPECT_EQ((*map)[0][4], (RECT{0, 0, 32, 32}));

  // Numbers past the 20000th are not read.
  WriteFile(path, UniformMap(608, 448) + "garbage\n");
  EXPECT_EQ(LoadTileMap(path, *map, &error), TileMapResult::kLoaded);
  EXPECT_EQ((*map)[MAP_ROWS - 1][MAP_COLUMNS - 1], (RECT{608, 448, 640, 480}));
}

TEST(TileMap, BadFilesNameTheLine) {
  const auto map = std::make_unique<TileMap>();
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
    EXPECT_EQ(LoadTileMap(path, *map, &error), TileMapResult::kBad);
    EXPECT_EQ(error.file, path);
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.what.find(c.what), std::string::npos) << error.what;
  }

  (*map)[3][4] = RECT{1, 2, 3, 4};
  EXPECT_EQ(LoadTileMap((dir / "absent.dat").string(), *map, nullptr), TileMapResult::kMissing);
  EXPECT_EQ((*map)[3][4], RECT{});
}

TEST(LoadGameData, FillsEverythingFromTheCommittedFiles) {
  DataError error;
  const auto data = std::make_unique<GameData>();
  ASSERT_TRUE(LoadGameData(RepoDataDir().string(), *data, &error)) << error.Message();
  EXPECT_EQ(data->dataTable.Capacity(), 512);  // the stage script's is checked below
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

// A small valid set: a type with a BITMAP row and a jump loop, a carrier
// with one child whose program shares the loop.
const char* const kData =
    "E1,,,,,INIT,,,C1\n"     // 1  row 0
    ",64,64,10,0,,,1,\n"     // 2
    ",,,,,BITMAP,,,C2\n"     // 3
    "L1,0,64,10,0,,,1,\n"    // 4
    ",,,,,,L1,,\n"           // 5
    "CAR,,,,,INIT,,,C1\n"    // 6  row 5
    ",64,64,10,,,,1\n"       // 7
    ",,,,,START\n"           // 8
    ",0,0,,1,,,,P1\n"        // 9
    ",,,,,END,\n"            // 10
    ",,,,,,NO_SUCH_LABEL\n"  // 11 passed over: the row below END is never loaded
    ",0,0,10,,,,1,\n"        // 12
    ",,,,,,L1\n"             // 13
    "P1,,,,,,,,C3\n"         // 14 row 13
    ",0,0,10,,,,0\n"         // 15
    ",,,,,,L1\n";            // 16
const char* const kChars = "C1,64,1,0,160,32,32,,1,100\nC2\nC3\n";
const char* const kStage = "E1,100,0,30\nDOT,,,2\nCAR,200,-96,1\nEOF,\n";

// Every one of the 64 rows keyed, so that no row answers an empty key.
std::string FullChars() {
  std::string chars = kChars;
  for (int32_t i = 3; i < 64; ++i) chars += "F" + std::to_string(i) + "\n";
  return chars;
}

bool Check(const std::string& data, const std::string& stage, const std::string& chars, DataError* error,
           int32_t dataRows = 512) {
  DataTable dataTable;
  StageTable stageTable;
  CharTable charTable;
  EXPECT_TRUE(dataTable.Allocate(dataRows) && stageTable.Allocate(512) && charTable.Allocate(64));
  EXPECT_TRUE(dataTable.LoadBytes(data, "data.csv", error) && stageTable.LoadBytes(stage, "Stage1.csv", error) &&
              charTable.LoadBytes(chars, "char.csv", error));
  return CheckGameData(dataTable, stageTable, charTable, error);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(DataCheck, AcceptsWhatThePlayWouldFollow) {
  struct Case {
    const char* name;
    std::string data;
    std::string stage;
    std::string chars;
  };
  const Case cases[] = {
      {"the base set", kData, kStage, kChars},
      {"keywords as keys where the script takes keys",
       std::string(kData) + "EOF,,,,,INIT,,,C1\n,,,,\nDOT,,,,,INIT,,,C1\n",
       "EOF,100,0,1\nDOT,,,2\nDOT,50,0,1\nE1\nEOF,\n", kChars},
      {"a row that only waits", kData, ",,,60\nEOF,\n", kChars},
      {"empty character key finds an unfilled char row", Replace(kData, "INIT,,,C1", "INIT,,,"), kStage, kChars},
      {"a jump target is loaded without its BITMAP",
       Replace(kData, ",,,,,,L1,,\n", ",,,,,,L2,,\nL2,,,,,BITMAP,,,C9\n,,,,,,L1,,\n"), kStage, kChars},
      {"types never released are not followed", std::string(kData) + "X,,,,,INIT,,,C9\n,,,,,,C9\n", kStage, kChars},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataError error;
    EXPECT_TRUE(Check(c.data, c.stage, c.chars, &error)) << error.Message();
  }
}

TEST(DataCheck, NamesTheFileLineAndKeyOfEachFault) {
  struct Case {
    const char* name;
    std::string data;
    std::string stage;
    std::string chars;
    const char* file;
    int32_t line;
    const char* what;
  };
  const Case cases[] = {
      {"unknown script key", kData, "E1\nE9,1,1,1\nEOF,\n", kChars, "Stage1.csv", 2, "unknown key 'E9'"},
      {"script key without INIT", kData, "L1,1,1,1\nEOF,\n", kChars, "Stage1.csv", 1, "names line 4 of data.csv"},
      {"no EOF", kData, "E1,1,1,1\n", kChars, "Stage1.csv", 0, "no \"EOF\""},
      {"EOF only after two DOT rows", kData, "E1\nDOT,,,1\nDOT,,,2\nEOF,\n", kChars, "Stage1.csv", 3,
       "unknown key 'DOT'"},
      {"type's character", Replace(kData, "E1,,,,,INIT,,,C1", "E1,,,,,INIT,,,C9"), kStage, kChars, "data.csv", 1,
       "unknown key 'C9': no row of char.csv holds it"},
      {"BITMAP character", Replace(kData, "BITMAP,,,C2", "BITMAP,,,c2"), kStage, kChars, "data.csv", 3,
       "unknown key 'c2'"},
      {"jump label", Replace(kData, ",,,,,,L1,,\n", ",,,,,,L1 ,,\n"), kStage, kChars, "data.csv", 5,
       "unknown key 'L1 '"},
      {"missing END", Replace(kData, ",,,,,END,\n", ",,,,,ENDE,\n"), kStage, kChars, "data.csv", 8,
       "\"START\" without an \"END\" row"},
      {"child type", Replace(kData, ",,,,P1\n", ",,,,P2\n"), kStage, kChars, "data.csv", 9, "unknown key 'P2'"},
      {"child type's character", Replace(kData, "P1,,,,,,,,C3", "P1,,,,,,,,C4"), kStage, kChars, "data.csv", 14,
       "unknown key 'C4'"},
      {"child program", Replace(kData, ",0,0,10,,,,0\n,,,,,,L1\n", ",0,0,10,,,,0\n,,,,,,L3\n"), kStage, kChars,
       "data.csv", 16, "unknown key 'L3'"},
      {"carrier program after END", Replace(kData, ",0,0,10,,,,1,\n,,,,,,L1\n", ",0,0,10,,,,1,\n,,,,,,L4\n"), kStage,
       kChars, "data.csv", 13, "unknown key 'L4'"},
      {"empty character key in a full char table", Replace(kData, "INIT,,,C1", "INIT,,,"), kStage, FullChars(),
       "data.csv", 1, "unknown key ''"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataError error;
    EXPECT_FALSE(Check(c.data, c.stage, c.chars, &error));
    EXPECT_EQ(error.file, c.file);
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.what.find(c.what), std::string::npos) << error.what;
  }
}

// Scans stop at the capacity: a program that runs off the table holds no
// more keys, but a child block must close inside it.
TEST(DataCheck, StopsAtTheCapacity) {
  DataError error;
  EXPECT_TRUE(Check("E1,,,,,INIT,,,C1\n,64,64,1,,,,1\n", "E1\nEOF,\n", kChars, &error, 2)) << error.Message();
  EXPECT_FALSE(Check("E1,,,,,INIT,,,C1\n,64,64,1\n,,,,,START\n,,,,,,,,E1\n", "E1\nEOF,\n", kChars, &error, 4));
  EXPECT_EQ(error.Message(), "data.csv:3: \"START\" without an \"END\" row");

  std::string script;
  for (int32_t i = 0; i < 510; ++i) script += ",,,1\n";
  EXPECT_TRUE(Check(kData, script + "DOT,,,1\nEOF,\n", kChars, &error)) << error.Message();
  EXPECT_FALSE(Check(kData, script + ",,,1\n,,,1\n", kChars, &error));
  EXPECT_EQ(error.Message(), "Stage1.csv: no \"EOF\" row where the script would take one before row 512");
}

uint32_t Bits(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The committed angle tables are exactly what the formula gives here, bit for
// bit (a -0.0 or a last-place difference would change the game). Their step is
// the float nearest 3.141592 / 128: 64 steps are f/2, with f = 3.14159202575683594
// the float nearest 3.141592, and cos(f/2) = pi/2 - f/2 to first order, not the
// zero that pi/128 would give.
TEST(TrigTable, EqualsTheFormulaOnThisMachine) {
  for (int i = 0; i < 256; ++i) {
    const double angle = i * static_cast<double>(kAngleStep);
    EXPECT_EQ(Bits(kCosTable[static_cast<size_t>(i)]), Bits(static_cast<float>(std::cos(angle)))) << "cos " << i;
    EXPECT_EQ(Bits(kSinTable[static_cast<size_t>(i)]), Bits(static_cast<float>(std::sin(angle)))) << "sin " << i;
  }
  EXPECT_NEAR(kCosTable[64], 3.1391648e-7, 1e-12);
}

std::string GameFolder(bool whole) {
  const auto dir = MakeTempDir();
  WriteFile(dir / "data.csv", "");
  WriteFile(dir / "Stage1.csv", "");
  if (whole) WriteFile(dir / "char.csv", "");
  return dir.string();
}

TEST(DataPlaces, NamedFolderThenTheCurrentOnesThenTheInstalledOneWithTheScoresAtHome) {
  const std::string local = GameFolder(true), installed = GameFolder(true), partial = GameFolder(false);
  PlaceFacts facts{"given", local, installed, "/xdg", "/home/p"};
  const auto expect = [&](const std::string& data, const std::string& scores) {
    const DataPlaces places = FindDataPlaces(facts);
    EXPECT_EQ(places.dataDir, data);
    EXPECT_EQ(places.scorePath, scores);
    EXPECT_EQ(places.problem.empty(), !data.empty() && !scores.empty()) << places.problem;
  };
  expect("given", "given/score.dat");
  facts.givenDataDir.clear();
  expect(local, local + "/score.dat");
  facts.localDataDir = partial;  // a data folder without every stage file is not the game's
  expect(installed, "/xdg/kestrova/score.dat");
  facts.xdgDataHome = "relative";  // ignored, as if unset
  expect(installed, "/home/p/.local/share/kestrova/score.dat");
  facts.home.clear();
  expect(installed, "");
  facts.installedDataDir = partial + "/nowhere";
  expect("", "");
  const std::string problem = FindDataPlaces(facts).problem;
  EXPECT_NE(problem.find(partial + " "), std::string::npos) << problem;
  EXPECT_NE(problem.find(facts.installedDataDir), std::string::npos) << problem;
}

}  // namespace
