#include <cmath>
#include <cstdio>

#include "data/data_check.hpp"
#include "data/tables.hpp"
#include "data/tile_map.hpp"
#include "game/object.hpp"
#include "game/player.hpp"

CsvTable dataTable(10);
CsvTable stageTable(5);
CsvTable charTable(10);
std::array<float, 256> cosTable{};
std::array<float, 256> sinTable{};
RECT g_rcMap[MAP_ROWS][MAP_COLUMNS];

namespace {

constexpr float kPlayerStartX = 320.0f;
constexpr float kPlayerStartY = 448.0f;
// The float nearest 3.141592 / 128, deliberately not pi / 128: every path
// through the tables depends on these exact bits.
constexpr float kAngleStep = 3.141592f / 128;

struct TableFile {
  CsvTable* table;
  int32_t rows;
  const char* baseName;
};
const TableFile kTableFiles[] = {
    {&dataTable, DATA_TABLE_ROWS, "/data"},
    {&stageTable, STAGE_TABLE_ROWS, "/Stage1"},
    {&charTable, CHAR_TABLE_ROWS, "/char"},
};

bool LoadTable(const TableFile& file, const std::string& dataDir, DataError* error) {
  const std::string baseName = dataDir + file.baseName;
  if (!file.table->Allocate(file.rows)) {
    if (error != nullptr) *error = DataError{baseName + ".csv", 0, "out of memory"};
    return false;
  }
  return file.table->Load(baseName, error);
}

void BuildTrigTables() {
  for (int32_t i = 0; i < 256; ++i) {
    const double a = i * static_cast<double>(kAngleStep);
    cosTable[static_cast<size_t>(i)] = static_cast<float>(std::cos(a));
    sinTable[static_cast<size_t>(i)] = static_cast<float>(std::sin(a));
  }
}

}  // namespace

bool LoadGameData(const std::string& dataDir, DataError* error) {
  g_player.x = kPlayerStartX;
  g_player.y = kPlayerStartY;
  g_player.score = 0;
  for (const TableFile& file : kTableFiles) {
    if (!LoadTable(file, dataDir, error)) return false;
  }
  BuildTrigTables();
  mainList.Clear();
  childList.Clear();

  const std::string mapPath = dataDir + "/map.dat";
  switch (LoadTileMap(mapPath, g_rcMap, error)) {
    case TileMapResult::kLoaded:
      break;
    case TileMapResult::kMissing:
      std::fprintf(stderr, "kestrova: warning: %s: cannot open; the background stays black\n", mapPath.c_str());
      break;
    case TileMapResult::kBad:
      return false;
  }
  return CheckGameData(dataTable, stageTable, charTable, error);
}
