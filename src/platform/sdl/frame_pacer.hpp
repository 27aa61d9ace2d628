// Holds presentation to 60 frames per second: by the display's vsync where
// that really waits, else by the clock.
#pragma once

#include <cstdint>
#include <functional>

namespace platform::sdl {

inline constexpr uint32_t kFramesPerSecond = 60;

// Where the pacer reads time and sleeps; SDL's performance counter by default.
struct PacerClock {
  std::function<uint64_t()> now;
  std::function<void(uint32_t milliseconds)> sleep;
  uint64_t frequency = 1;  // counter ticks per second
  static PacerClock Sdl();
};

class FramePacer {
 public:
  // `vsync`: the presents are expected to wait for the display themselves.
  explicit FramePacer(bool vsync, PacerClock clock = PacerClock::Sdl());
  // Called after each present; returns once the next frame's time has come.
  void Wait();
  bool Timed() const { return !m_vsync; }

 private:
  void CheckVsync(uint64_t now);
  void WaitForDeadline(uint64_t now);

  bool m_vsync;
  PacerClock m_clock;
  uint64_t m_start;         // counter at frame 0 of the current schedule
  uint64_t m_frame = 0;
  uint32_t m_sampled = 0;   // presents since m_sampleStart
  uint64_t m_sampleStart;
};

}  // namespace platform::sdl
