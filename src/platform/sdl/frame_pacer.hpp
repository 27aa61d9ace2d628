// Holds presentation to 60 frames per second: by the display's vsync where
// that really waits, else by the clock.
#pragma once

#include <cstdint>
#include <functional>

namespace platform::sdl {

inline constexpr uint32_t kFramesPerSecond = 60;
inline constexpr uint64_t kNanosecondsPerSecond = 1'000'000'000;

// CLOCK_MONOTONIC in nanoseconds.
uint64_t MonotonicNow();

// Where the pacer reads time and waits; the monotonic clock by default.
struct PacerClock {
  std::function<uint64_t()> now;  // nanoseconds
  std::function<void(uint64_t deadline)> sleepUntil;  // returns at or after `deadline`
  static PacerClock Monotonic();
};

class FramePacer {
 public:
  // `vsync`: the presents are expected to wait for the display themselves.
  explicit FramePacer(bool vsync, PacerClock clock = PacerClock::Monotonic());
  // Called after each present; returns once the next frame's time has come.
  void Wait();
  bool Timed() const { return !m_vsync; }

 private:
  void CheckVsync(uint64_t now);
  void WaitForDeadline(uint64_t now);

  bool m_vsync;
  PacerClock m_clock;
  uint64_t m_start;         // clock at frame 0 of the current schedule
  uint64_t m_frame = 0;
  uint32_t m_sampled = 0;   // presents since m_sampleStart
  uint64_t m_sampleStart;
};

}  // namespace platform::sdl
