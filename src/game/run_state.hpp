// What a run under the arcade or practice rules carries beyond the standard
// game: lives, the stage and the loop, the 32-bit score, the ship lost and
// coming back, the game over and its initials. The play state visits it only
// under those rules, so that a standard run hashes and traces as it always has.
#pragma once

#include <array>
#include <cstdint>

#include "data/arcade_table.hpp"
#include "game/rules.hpp"

struct RunState {
  GameRules rules;
  int32_t lives = 0;          // ships left, the one flying among them
  int32_t stage = 1;          // from 1
  int32_t loop = 0;           // times round the stages already, each harder
  int32_t score = 0;          // stops at the top instead of wrapping
  int32_t nextExtraLife = 0;  // the score of the next extra life; 0: none to come
  int32_t downTimer = 0;      // frames until a lost ship comes back; 0 while it flies
  int32_t hits = 0;           // hits the ship took
  int32_t gameOver = 0;       // the game-over screen runs
  int32_t overTimer = 0;      // frames it has shown
  int32_t entryPlace = -1;    // the place the initials go to, or -1: none entered
  int32_t entryLetter = 0;    // the initial being chosen, 0 to 2
  int32_t entryHold = 0;      // frames a key has been held on it, for the repeat
  int32_t keysBefore = 0;     // the entry's keys held the frame before, by bit
  ArcadeEntry entry;          // what is being entered
  ArcadeTable best;           // the difficulty's best runs, as this run knows them
};

// Whether the run plays by more than the standard rules.
inline bool HasStakes(const RunState& run) { return run.rules.kind != RulesKind::Standard; }
