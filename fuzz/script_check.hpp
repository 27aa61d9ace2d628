// Invariants of a parsed input script, shared by the script and replay fuzzers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/input_script.hpp"
#include "fuzz_check.hpp"

// Runs follow each other without gaps, and every idle call maps to its run.
inline void CheckRuns(const InputScript& script) {
  int64_t end = 0;
  for (const InputRun& run : script.runs) {
    FUZZ_CHECK(run.count >= 0 && run.end == end + run.count);
    end = run.end;
    if (run.count > 0) FUZZ_CHECK(script.RunAt(run.end - run.count + 1) == &run && script.RunAt(run.end) == &run);
  }
  FUZZ_CHECK(script.Length() == end);
  FUZZ_CHECK(script.RunAt(end + 1) == nullptr);
}

inline bool SameKeys(std::vector<uint8_t> a, std::vector<uint8_t> b) {
  std::sort(a.begin(), a.end());
  a.erase(std::unique(a.begin(), a.end()), a.end());
  std::sort(b.begin(), b.end());
  b.erase(std::unique(b.begin(), b.end()), b.end());
  return a == b;
}

inline bool SameRuns(const InputScript& a, const InputScript& b) {
  const auto caps = [](const InputScript& s) {
    return s.joystick ? std::vector<uint32_t>{s.joystick->xMin, s.joystick->xMax, s.joystick->yMin, s.joystick->yMax}
                      : std::vector<uint32_t>{};
  };
  if (a.runs.size() != b.runs.size() || caps(a) != caps(b)) return false;
  for (size_t i = 0; i < a.runs.size(); ++i) {
    const InputRun& x = a.runs[i];
    const InputRun& y = b.runs[i];
    if (x.count != y.count || x.end != y.end || x.click != y.click || x.stick != y.stick || !SameKeys(x.keys, y.keys)) {
      return false;
    }
  }
  return true;
}

// The same input frame for frame, however the runs are cut: a replay's text
// cuts a run where a check falls inside it. Runs of no frames hold nothing.
inline bool SameInput(const InputScript& a, const InputScript& b) {
  if (a.Length() != b.Length() || a.joystick.has_value() != b.joystick.has_value()) return false;
  const auto same = [](const InputRun& x, const InputRun& y) {
    return x.click == y.click && x.stick == y.stick && SameKeys(x.keys, y.keys);
  };
  auto x = a.runs.begin(), y = b.runs.begin();
  for (int64_t frame = 1; frame <= a.Length();) {
    while (x->end < frame) ++x;
    while (y->end < frame) ++y;
    if (!same(*x, *y)) return false;
    frame = std::min(x->end, y->end) + 1;
  }
  return true;
}
