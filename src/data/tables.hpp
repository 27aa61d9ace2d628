// The game's data: read once at start-up from the data folder, never changed
// by play, so any number of games (and snapshots of them) may share it.
#pragma once

#include <array>
#include <string>

#include "data/sheet_geometry.hpp"
#include "data/table_layout.hpp"

inline constexpr int32_t DATA_TABLE_ROWS = 512;
inline constexpr int32_t STAGE_TABLE_ROWS = 512;
inline constexpr int32_t CHAR_TABLE_ROWS = 64;

// What a data folder holds: the three tables the game cannot play without,
// then the background map, which it plays on without.
inline constexpr std::array<const char*, 4> kDataFiles = {"data.csv", "Stage1.csv", "char.csv", "map.dat"};
// A stage pack's, see StagePackName.
inline constexpr std::array<const char*, 6> kPackFiles = {"data.csv", "stage.csv", "char.csv", "map.dat", "sheet.bmp",
                                                          "music.wav"};
inline constexpr size_t kRequiredDataFiles = 3;

// Each map row's tiles, by their rectangles on the sprite sheet.
using TileMap = std::array<std::array<RECT, MAP_COLUMNS>, MAP_ROWS>;

struct GameData {
  DataTable dataTable;    // object types and movement programs
  StageTable stageTable;  // the stage script
  CharTable charTable;    // images and statistics
  // Angle index 0..255: 0 right, 64 down, 128 left, 192 up.
  std::array<float, 256> cosTable{};
  std::array<float, 256> sinTable{};
  TileMap g_rcMap{};
};

// Loads the tables, trig tables and tile map from `dataDir` and checks that
// every key the game will follow exists. False with the error when start-up
// must stop; warnings (a missing map) go to stderr. Stage 1's script is
// Stage1.csv; a later stage's, in its pack, stage.csv.
inline constexpr const char* kStageOneScript = "Stage1";
inline constexpr const char* kPackScript = "stage";
bool LoadGameData(const std::string& dataDir, GameData& data, DataError* error, const char* script = kStageOneScript);

// Stage 1 is the data folder itself; each later one a pack, a folder of its
// own beside its files: stage2, stage3, ... up to the last in an unbroken
// row, with its tables and map as stage 1's and its sheet.bmp and music.wav.
inline constexpr int32_t kMostStages = 9;
std::string StagePackName(int32_t stage);
