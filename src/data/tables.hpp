// Program-wide game data, filled once at start-up.
#pragma once

#include <array>
#include <string>

#include "data/csv_table.hpp"
#include "data/sheet_geometry.hpp"

inline constexpr int32_t DATA_TABLE_ROWS = 512;
inline constexpr int32_t STAGE_TABLE_ROWS = 512;
inline constexpr int32_t CHAR_TABLE_ROWS = 64;

extern CsvTable dataTable;   // object types and movement programs, 10 columns
extern CsvTable stageTable;  // the stage script, 5 columns
extern CsvTable charTable;   // images and statistics, 10 columns

// Angle index 0..255: 0 right, 64 down, 128 left, 192 up.
extern std::array<float, 256> cosTable;
extern std::array<float, 256> sinTable;

extern RECT g_rcMap[MAP_ROWS][MAP_COLUMNS];

// Loads the tables, trig tables, empty lists and tile map from `dataDir`
// and checks that every key the game will follow exists. False with the
// error when start-up must stop; warnings (a missing map) go to stderr.
bool LoadGameData(const std::string& dataDir, DataError* error);
