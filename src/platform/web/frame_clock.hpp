// Turns the browser's animation frames into the game's 60 frames a second:
// a 120 or 144 Hz screen must not speed the game up, a slow one gets whole
// idle calls caught up, a long stall (a hidden tab) is not replayed.
#pragma once

#include <cstdint>

namespace platform::web {

inline constexpr int kGameHz = 60;
// More idle calls than this due at once start a new schedule instead.
inline constexpr int64_t kMaxCatchUp = 4;

class FrameClock {
 public:
  // The idle calls due at the animation frame stamped `nowMs`.
  int64_t StepsAt(double nowMs);

 private:
  bool m_started = false;
  double m_startMs = 0;  // frame 1 of the current schedule
  int64_t m_done = 0;    // idle calls run on this schedule
};

}  // namespace platform::web
