// The player's ship: position, score, energy, bombs and protection.
#pragma once

#include <cstdint>

inline constexpr int16_t MAX_ENERGY = 15;
inline constexpr uint8_t MAX_BOMBS = 10;
inline constexpr uint8_t MAX_LEVEL = 3;

struct Player {
  float x = 320.0f;  // the ship starts at the bottom, in the middle
  float y = 448.0f;
  int16_t score = 0;
  int16_t energy = MAX_ENERGY;
  uint8_t bombs = 3;
  int32_t hitFlag = 0;
  int16_t hitTimer = 0;
  uint8_t level = 1;
  int32_t bombActive = 0;

  // Boxes include both ends. A touch starts the protection period.
  int32_t TouchPlayer(int32_t left, int32_t top, int32_t right, int32_t bottom);
  int32_t LoseEnergy();
  int32_t AddEnergy();
  int32_t AddBomb();
  int32_t RaiseLevel();
  void AddScore(int16_t value) { score = static_cast<int16_t>(static_cast<uint16_t>(score) + static_cast<uint16_t>(value)); }
};
