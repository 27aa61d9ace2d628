// The data folder: where it is, the table files' splitter and numbers, the
// tile map, the tables loaded and checked, the difficulties, the angle tables.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/data_places.hpp"
#include "data/csv_table.hpp"
#include "data/data_check.hpp"
#include "data/difficulty.hpp"
#include "data/numbers.hpp"
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

using Rows = std::vector<std::vector<std::string>>;

// Every cell of the first `rows.size() + 2` rows, with cells not listed empty.
void ExpectCells(const CsvTable& table, const Rows& rows) {
  for (int32_t row = 0; row < static_cast<int32_t>(rows.size()) + 2; ++row) {
    for (int32_t column = 0; column < table.ColumnCount(); ++column) {
      std::string want;
      if (row < static_cast<int32_t>(rows.size()) &&
          column < static_cast<int32_t>(rows[static_cast<size_t>(row)].size())) {
        want = rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
      }
      EXPECT_EQ(table.GetCell(column, row), want) << "column " << column << ", row " << row;
    }
  }
}

// In memory or a file, bytes that fit split into cells; the first row past capacity is named by the line it begins on.
TEST(CsvTable, SplitsBytesOrAFileByTheFileRulesUpToTheCapacityLooksUpInsideTheTableAndAppends) {
  struct Case {
    const char* name;
    std::string bytes;
    Rows rows;          // the cells, when the bytes fit
    int32_t line = 0;   // else the line of the row past the capacity
    int32_t capacity = 8;
    int32_t columns = 10;
  };
  const Case cases[] = {
      {"empty field", "a,,b\n", {{"a", "", "b"}}},
      {"comment line is not a row", "# note\nx,1\n", {{"x", "1"}}},
      {"comment swallows the line feed", "x,1 # joined\ny,2\n", {{"x", "1 y", "2"}}},
      {"comment inside a cell", "ab#c\nd,e\n", {{"abd", "e"}}},
      {"no final line feed", "a,b\nc", {{"a", "b"}, {"c"}}},
      {"file ends inside a comment", "a,1\n# tail", {{"a", "1"}}},
      {"quotes are ordinary bytes", "\"p,q\",r\n", {{"\"p", "q\"", "r"}}},
      {"eleventh field dropped",
       "0,1,2,3,4,5,6,7,8,9,10,11\nn",
       {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, {"n"}}},
      {"sixth field dropped", "k,1,2,3,4,5\n", {{"k", "1", "2", "3", "4"}}, 0, 8, 5},
      {"empty line is an empty row", "a\n\nb\n", {{"a"}, {}, {"b"}}},
      {"third row of two", "a\nb\nc\n", {}, 3, 2},
      {"comments and joined lines count", "# head\na\nb # joined\nc\n\nd\n", {}, 6, 2},
      {"a lone separator is a row", "a\n,\n", {}, 2, 1},
      {"exactly full, trailing blank lines", "a\nb\n\n\n", {{"a"}, {"b"}}, 0, 2},
      {"exactly full, trailing comment", "a\nb\n# end", {{"a"}, {"b"}}, 0, 2},
      {"exactly full, Windows line ends and blank lines of spaces", "a\r\nb\r\n\r\n  \t\r\n", {{"a\r"}, {"b\r"}}, 0, 2},
      {"a row after the blank lines past the capacity", "a\nb\n \n\r\n x\n", {}, 5, 2},
      {"never allocated", "a", {}, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CsvTable table(c.columns);
    if (c.capacity > 0) {
      ASSERT_TRUE(table.Allocate(c.capacity));
    }
    DataError error;
    const bool loaded = table.LoadBytes(c.bytes, "t.csv", &error);
    if (c.line == 0) {
      ASSERT_TRUE(loaded) << error.Message();
      ExpectCells(table, c.rows);
      continue;
    }
    EXPECT_FALSE(loaded);
    EXPECT_EQ(error.file, "t.csv");
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.what.find("more rows than the capacity"), std::string::npos) << error.what;
  }

  // Rows, keys and lines read back, and nothing outside the table.
  CsvTable table(10);
  ASSERT_TRUE(table.Allocate(5));
  ASSERT_TRUE(table.LoadBytes("# c\nE1 ,a\nE1,b# j\n\n,c\nX,d", "t.csv", nullptr));
  // Row 0 begins after the comment; row 1 spans lines 3 and 4; no row 4 began.
  const int32_t lines[] = {2, 3, 5, 6, 0};
  for (int32_t row = 0; row < 5; ++row) EXPECT_EQ(table.LineOfRow(row), lines[row]) << "row " << row;
  EXPECT_EQ(table.LineOfRow(-1), 0);
  EXPECT_EQ(table.LineOfRow(5), 0);
  EXPECT_EQ(table.FindRow("E1"), 1);  // "E1 " is not "E1"
  EXPECT_EQ(table.FindRow("e1"), table.Capacity());  // none
  EXPECT_EQ(table.FindRow(""), 2);
  const int32_t outside[][2] = {{-1, 0}, {10, 0}, {0, -1}, {0, 5}, {INT32_MAX, INT32_MAX}};
  for (const auto& cell : outside) EXPECT_EQ(table.GetCell(cell[0], cell[1]), "");

  CsvTable unallocated(10);
  EXPECT_EQ(unallocated.FindRow(""), 0);
  EXPECT_EQ(unallocated.GetCell(0, 0), "");

  // Another load appends to the cells; Allocate clears them.
  ASSERT_TRUE(table.LoadBytes("Y,z\n", "t.csv", nullptr));
  ExpectCells(table, {{"E1 Y", "az"}, {"E1", "b"}, {"", "c"}, {"X", "d"}});
  ASSERT_TRUE(table.Allocate(2));
  ExpectCells(table, {});
  EXPECT_FALSE(table.Allocate(-1));
  EXPECT_EQ(table.Capacity(), 0);

  // Files are read in blocks; a comment or a cell cut by a block's end must
  // split the same as the bytes in one piece (the loader's test has the errors).
  std::string comments;
  std::string cells;
  for (int32_t i = 0; i < 500; ++i) {
    comments += "K" + std::to_string(i) + "," + std::to_string(i) + " # " + std::string(60, 'c') + "\n" +
                std::to_string(i % 7) + "\n";
    cells += "K" + std::to_string(i) + "," + std::string(static_cast<size_t>(40 + i % 50), 'v') + ",#\n" +
             std::to_string(i) + "\n";
  }
  const auto dir = MakeTempDir();
  for (const std::string* bytes : {&comments, &cells}) {
    WriteFile(dir / "t.csv", *bytes);
    CsvTable fromFile(10);
    CsvTable fromBytes(10);
    ASSERT_TRUE(fromFile.Allocate(512));
    ASSERT_TRUE(fromBytes.Allocate(512));
    DataError error;
    ASSERT_TRUE(fromFile.Load((dir / "t").string(), &error)) << error.Message();
    ASSERT_TRUE(fromBytes.LoadBytes(*bytes, "t.csv", &error));
    for (int32_t row = 0; row < 512; ++row) {
      EXPECT_EQ(fromFile.LineOfRow(row), fromBytes.LineOfRow(row));
      for (int32_t column = 0; column < 10; ++column) {
        ASSERT_EQ(fromFile.GetCell(column, row), fromBytes.GetCell(column, row)) << column << "," << row;
      }
    }
    EXPECT_EQ(fromFile.FindRow("K499"), 499);
  }
}

TEST(CellToInt, ReadsLikeAtoiAndSaturates) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"", 0},          {"abc", 0},       {"42", 42},     {"007", 7},       {"  -17x", -17},
      {"+5", 5},        {" \t\n\v\f\r9", 9}, {"12\r", 12},  {"- 5", 0},        {"+-5", 0},
      {"0x1A", 0},      {"\xA0" "5", 0},   {"2147483647", INT32_MAX},          {"2147483648", INT32_MAX},
      {"-2147483648", INT32_MIN},         {"-2147483649", INT32_MIN},         {"99999999999999999999999999", INT32_MAX},
      {"-00000000000000000000000003", -3},
  };
  for (const Case& c : cases) EXPECT_EQ(CellToInt(c.text), c.value) << '"' << c.text << '"';

  // 16-bit fields keep the low 16 bits.
  EXPECT_TRUE(CellToI16("65535") == -1 && CellToI16("70000") == 70000 - 65536 && CellToI16("32768") == -32768);
}

TEST(TileMap, ReadsThreeCharacterNumbersOrNamesTheBadLine) {
  const auto map = std::make_unique<TileMap>();
  const auto dir = MakeTempDir();
  const std::string path = (dir / "map.dat").string();
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
  const RECT firstRow[] = {{32, 64, 64, 96}, {7, 12, 39, 44}, {123, 4, 155, 36}, {16, 0, 48, 32}, {0, 0, 32, 32}};
  for (size_t column = 0; column < std::size(firstRow); ++column) EXPECT_EQ((*map)[0][column], firstRow[column]);

  // Numbers past the 20000th are not read.
  WriteFile(path, UniformMap(608, 448) + "garbage\n");
  EXPECT_EQ(LoadTileMap(path, *map, &error), TileMapResult::kLoaded);
  EXPECT_EQ((*map)[MAP_ROWS - 1][MAP_COLUMNS - 1], (RECT{608, 448, 640, 480}));

  // A bad number names its line; a short file, the line it ends on.
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
    error = DataError{};
    EXPECT_EQ(LoadTileMap(path, *map, &error), TileMapResult::kBad);
    EXPECT_EQ(error.file, path);
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.what.find(c.what), std::string::npos) << error.what;
  }

  (*map)[3][4] = RECT{1, 2, 3, 4};
  EXPECT_EQ(LoadTileMap((dir / "absent.dat").string(), *map, nullptr), TileMapResult::kMissing);
  EXPECT_EQ((*map)[3][4], RECT{});
}

TEST(LoadGameData, FillsEverythingFromTheFilesOrNamesTheOneThatIsWrong) {
  const auto dir = MakeTempDir();
  std::filesystem::copy(RepoDataDir(), dir, std::filesystem::copy_options::recursive);
  const std::string dataDir = dir.string();
  DataError error;
  const auto data = std::make_unique<GameData>();
  ASSERT_TRUE(LoadGameData(dataDir, *data, &error)) << error.Message();
  EXPECT_EQ(data->dataTable.Capacity(), 512);  // the stage script's is checked below
  EXPECT_EQ(data->charTable.Capacity(), 64);
  // The carrier is the one 128 x 96 character.
  const int32_t carrier = data->charTable.FindRow("C_CARRIER");
  EXPECT_EQ(data->charTable.Int(CharColumn::WIDTH, carrier), 128);
  EXPECT_EQ(data->charTable.Int(CharColumn::KIND, carrier), 40);
  EXPECT_EQ(data->cosTable, kCosTable);
  EXPECT_EQ(data->sinTable, kSinTable);
  EXPECT_EQ(data->g_rcMap[0][0].right - data->g_rcMap[0][0].left, TILE_SIZE);
  // Loading again gives the same tables, not doubled cells.
  const std::string firstKey = data->stageTable.Text(StageColumn::KEY, 1);
  ASSERT_TRUE(LoadGameData(dataDir, *data, &error)) << error.Message();
  EXPECT_EQ(data->stageTable.Text(StageColumn::KEY, 1), firstKey);

  std::filesystem::remove(dir / "map.dat");
  testing::internal::CaptureStderr();
  EXPECT_TRUE(LoadGameData(dataDir, *data, &error)) << error.Message();
  EXPECT_NE(testing::internal::GetCapturedStderr().find(dataDir + "/map.dat"), std::string::npos);
  EXPECT_EQ(data->g_rcMap[0][0], RECT{}) << "the background stays black";

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

TEST(DataCheck, AcceptsWhatThePlayWouldFollowAndNamesTheFileLineAndKeyOfEachFault) {
  struct Case {
    const char* name;
    std::string data;
    std::string stage;
    std::string chars;
    const char* file = nullptr;  // null: accepted
    int32_t line = 0;
    const char* what = nullptr;
    int32_t dataRows = 512;
  };
  std::string fullScript;
  for (int32_t i = 0; i < 510; ++i) fullScript += ",,,1\n";
  const Case cases[] = {
      // Accepted: what play would follow holds every key it needs.
      {"the base set", kData, kStage, kChars},
      {"keywords as keys where the script takes keys",
       std::string(kData) + "EOF,,,,,INIT,,,C1\n,,,,\nDOT,,,,,INIT,,,C1\n",
       "EOF,100,0,1\nDOT,,,2\nDOT,50,0,1\nE1\nEOF,\n", kChars},
      {"a row that only waits", kData, ",,,60\nEOF,\n", kChars},
      {"empty character key finds an unfilled char row", Replace(kData, "INIT,,,C1", "INIT,,,"), kStage, kChars},
      {"a jump target is loaded without its BITMAP",
       Replace(kData, ",,,,,,L1,,\n", ",,,,,,L2,,\nL2,,,,,BITMAP,,,C9\n,,,,,,L1,,\n"), kStage, kChars},
      {"types never released are not followed", std::string(kData) + "X,,,,,INIT,,,C9\n,,,,,,C9\n", kStage, kChars},
      // Refused, naming the fault.
      {"unknown script key", kData, "E1\nE9,1,1,1\nEOF,\n", kChars, "Stage1.csv", 2, "unknown key 'E9'"},
      {"script key without INIT", kData, "L1,1,1,1\nEOF,\n", kChars, "Stage1.csv", 1, "names line 4 of data.csv"},
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
      // Scans stop at the capacity: a program that runs off the table holds no
      // more keys, but a child block must close inside it.
      {"a program running off the table", "E1,,,,,INIT,,,C1\n,64,64,1,,,,1\n", "E1\nEOF,\n", kChars, nullptr, 0,
       nullptr, 2},
      {"a child block cut by the table's end", "E1,,,,,INIT,,,C1\n,64,64,1\n,,,,,START\n,,,,,,,,E1\n", "E1\nEOF,\n",
       kChars, "data.csv", 3, "\"START\" without an \"END\" row", 4},
      {"EOF on the script's last row", kData, fullScript + "DOT,,,1\nEOF,\n", kChars},
      {"no EOF before the script's end", kData, fullScript + ",,,1\n,,,1\n", kChars, "Stage1.csv", 0,
       "no \"EOF\" row where the script would take one before row 512"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataError error;
    if (c.file == nullptr) {
      EXPECT_TRUE(Check(c.data, c.stage, c.chars, &error, c.dataRows)) << error.Message();
      continue;
    }
    EXPECT_FALSE(Check(c.data, c.stage, c.chars, &error, c.dataRows));
    EXPECT_EQ(error.file, c.file);
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.what.find(c.what), std::string::npos) << error.what;
  }
}

TEST(Difficulties, EachRowByNameOrTheLineAndFieldThatIsWrong) {
  std::array<DifficultyTuning, kDifficulties> tunings;
  DataError error;
  ASSERT_TRUE(LoadDifficulties(testing_support::RepoDataDir().string(), tunings, &error)) << error.Message();
  EXPECT_EQ(tunings[static_cast<size_t>(Difficulty::Normal)].firePercent, 100);
  EXPECT_GT(tunings[static_cast<size_t>(Difficulty::Expert)].firePercent, tunings[1].firePercent);

  const std::string good = "# a comment\neasy,50,0,0,75,25,3,20000,30000\nnormal,100,0,0,100,25,3,20000,40000\n"
                           "hard,400,1,2,125,25,3,30000,50000\n";
  const struct {
    std::string text;
    std::string message;  // after the folder
  } bad[] = {
      {good, "difficulty.csv: no row for 'expert'"},
      {good + "expert,800,2,4,0,25,3,40000,60000\n",
       "difficulty.csv:5: toughness of 'expert' must be a whole number from 1 to 10000"},
      {good + "expert,800,2,4,150,25,3,-1,60000\n",
       "difficulty.csv:5: first extra life of 'expert' must be a whole number from 0 to 2147483647"},
      {good + "expert,800,2,x4,150,25,3,40000,60000\n", "difficulty.csv:5: volley of 'expert' must be a whole number from 0 to 8"},
  };
  for (const auto& c : bad) {
    const auto dir = MakeTempDir();
    WriteFile(dir / "difficulty.csv", c.text);
    EXPECT_FALSE(LoadDifficulties(dir.string(), tunings, &error));
    EXPECT_EQ(error.Message(), (dir / c.message).string());
  }
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
  std::string problem = FindDataPlaces(facts).problem;
  // The half-copied folder names what it lacks; the one that is not there has nothing to name.
  EXPECT_NE(problem.find(partial + " (under the current folder; char.csv is missing) nor in " +
                         facts.installedDataDir + " (installed)"), std::string::npos) << problem;
  std::filesystem::remove(partial + "/data.csv");
  facts.installedDataDir = partial;
  facts.localDataDir = GameFolder(false) + "/nowhere";
  problem = FindDataPlaces(facts).problem;
  EXPECT_NE(problem.find("(installed; data.csv and char.csv are missing)"), std::string::npos) << problem;
  EXPECT_NE(problem.find("nowhere (under the current folder) nor"), std::string::npos) << problem;
}

}  // namespace
