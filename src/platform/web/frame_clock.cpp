#include "platform/web/frame_clock.hpp"

#include <cmath>

namespace platform::web {

int64_t FrameClock::StepsAt(double nowMs) {
  if (!m_started || nowMs < m_startMs) {
    m_started = true;
    m_startMs = nowMs;
    m_done = 0;
  }
  // Whole frames since the start, rounded to the nearest: animation frames
  // jitter by a millisecond or two around the display's period, and a call
  // must not slip to the next one for that.
  const auto due = static_cast<int64_t>(std::floor((nowMs - m_startMs) * kGameHz / 1000 + 0.5)) + 1;
  int64_t steps = due - m_done;
  if (steps <= 0) return 0;  // a frame stamped earlier than the last
  if (steps > kMaxCatchUp) {
    m_startMs = nowMs;
    m_done = 0;
    steps = 1;
  }
  m_done += steps;
  return steps;
}

}  // namespace platform::web
