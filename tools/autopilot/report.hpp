// What the stage designer reads after a run: a row per 30 seconds of play,
// the totals, and whether the stage was cleared.
#pragma once

#include <string>

#include "autopilot/tally.hpp"

namespace autopilot {

// Cleared: the stage-clear screen reached with the ship's energy never below
// zero and every carrier shot down.
struct Verdict {
  bool cleared = false;
  std::string text;  // one line
};
Verdict Judge(const Tally& tally, bool reachedClear);

std::string ReportTable(const Tally& tally);

}  // namespace autopilot
