// What the stage designer reads after a run: a row per 30 seconds of play,
// the totals, and whether the stage was cleared.
#pragma once

#include <string>

#include "autopilot/tally.hpp"

namespace autopilot {

// Cleared: the stage-clear screen reached with the ship's energy never below
// zero (with stakes: before the game was over) and every carrier shot down.
struct Verdict {
  bool cleared = false;
  std::string text;  // one line
};
Verdict Judge(const Tally& tally, bool reachedClear, bool stakes);

// With stakes, a column of the lives lost.
std::string ReportTable(const Tally& tally, bool stakes);

}  // namespace autopilot
