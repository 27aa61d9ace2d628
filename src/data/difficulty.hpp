// What each arcade difficulty changes of a stage, read from difficulty.csv
// beside the stage files, so that a stage maker tunes them there.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/csv_table.hpp"

enum class Difficulty : uint8_t { Easy, Normal, Hard, Expert };
inline constexpr size_t kDifficulties = 4;
inline constexpr std::array<const char*, kDifficulties> kDifficultyNames = {"easy", "normal", "hard", "expert"};
inline constexpr const char* kDifficultyTable = "difficulty";  // difficulty.csv

struct DifficultyTuning {
  int32_t firePercent = 100;    // how often enemies fire
  int32_t bulletSpeed = 0;      // added to every enemy bullet's speed
  int32_t volley = 0;           // aimed bullets added beside each single shot
  int32_t toughPercent = 100;   // of every enemy's hit points
  int32_t loopPercent = 0;      // added to fire and toughness each time round again
  int32_t lives = 3;
  int32_t firstExtraLife = 0;   // the score that gives an extra life; 0: none
  int32_t everyExtraLife = 0;   // and every this much past it; 0: only the first
};

// Each difficulty's row by its name, all four there; false with "FILE:LINE:
// reason" for a missing row or a number out of its range.
bool LoadDifficulties(const std::string& dataDir, std::array<DifficultyTuning, kDifficulties>& out, DataError* error);
