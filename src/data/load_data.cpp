#include <cstdio>

#include "data/data_check.hpp"
#include "data/tables.hpp"
#include "data/tile_map.hpp"
#include "data/trig_table.hpp"
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

}  // namespace

bool LoadGameData(const std::string& dataDir, DataError* error) {
  g_player.x = kPlayerStartX;
  g_player.y = kPlayerStartY;
  g_player.score = 0;
  for (const TableFile& file : kTableFiles) {
    if (!LoadTable(file, dataDir, error)) return false;
  }
  cosTable = kCosTable;
  sinTable = kSinTable;
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
