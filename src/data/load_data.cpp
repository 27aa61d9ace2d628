#include <cstdio>
#include <string>

#include "data/data_check.hpp"
#include "data/tables.hpp"
#include "data/tile_map.hpp"
#include "data/trig_table.hpp"

namespace {

bool LoadTable(CsvTable& table, int32_t rows, const std::string& baseName, DataError* error) {
  if (!table.Allocate(rows)) {
    if (error != nullptr) *error = DataError{baseName + ".csv", 0, "out of memory"};
    return false;
  }
  return table.Load(baseName, error);
}

}  // namespace

std::string StagePackName(int32_t stage) { return "stage" + std::to_string(stage); }

bool LoadGameData(const std::string& dataDir, GameData& data, DataError* error, const char* script) {
  if (!LoadTable(data.dataTable, DATA_TABLE_ROWS, dataDir + "/data", error) ||
      !LoadTable(data.stageTable, STAGE_TABLE_ROWS, dataDir + "/" + script, error) ||
      !LoadTable(data.charTable, CHAR_TABLE_ROWS, dataDir + "/char", error)) {
    return false;
  }
  data.cosTable = kCosTable;
  data.sinTable = kSinTable;

  const std::string mapPath = dataDir + "/map.dat";
  switch (LoadTileMap(mapPath, data.g_rcMap, error)) {
    case TileMapResult::kLoaded:
      break;
    case TileMapResult::kMissing:
      std::fprintf(stderr, "kestrova: warning: %s: cannot open; the background stays black\n", mapPath.c_str());
      break;
    case TileMapResult::kBad:
      return false;
  }
  return CheckGameData(data.dataTable, data.stageTable, data.charTable, error);
}
