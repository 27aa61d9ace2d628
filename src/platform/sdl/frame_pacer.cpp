#include "platform/sdl/frame_pacer.hpp"

#include <cerrno>
#include <ctime>
#include <utility>

namespace platform::sdl {
namespace {

// Some drivers accept vsync and never wait. Presents that come in faster than
// three quarters of the frame time over a short sample give them away.
constexpr uint32_t kVsyncSample = 10;

// An absolute deadline: wake-up latency never accumulates into the schedule.
void SleepUntil(uint64_t deadline) {
  const timespec at{static_cast<time_t>(deadline / kNanosecondsPerSecond),
                    static_cast<long>(deadline % kNanosecondsPerSecond)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
  }
}

}  // namespace

uint64_t MonotonicNow() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * kNanosecondsPerSecond + static_cast<uint64_t>(now.tv_nsec);
}

PacerClock PacerClock::Monotonic() { return {MonotonicNow, SleepUntil}; }

FramePacer::FramePacer(bool vsync, PacerClock clock)
    : m_vsync(vsync), m_clock(std::move(clock)), m_start(m_clock.now()), m_sampleStart(m_start) {}

void FramePacer::Wait() {
  const uint64_t now = m_clock.now();
  if (m_vsync) {
    CheckVsync(now);
  } else {
    WaitForDeadline(now);
  }
}

void FramePacer::CheckVsync(uint64_t now) {
  if (++m_sampled < kVsyncSample) return;
  const uint64_t expected = kVsyncSample * kNanosecondsPerSecond * 3 / (4 * kFramesPerSecond);
  if (now - m_sampleStart < expected) {
    m_vsync = false;
    m_start = now;
    m_frame = 0;
  }
  m_sampled = 0;
  m_sampleStart = now;
}

void FramePacer::WaitForDeadline(uint64_t now) {
  ++m_frame;
  // Whole multiplication first: the schedule never drifts by rounding.
  const uint64_t deadline = m_start + m_frame * kNanosecondsPerSecond / kFramesPerSecond;
  if (now < deadline) {
    m_clock.sleepUntil(deadline);
    return;
  }
  // A frame that ran late starts a new schedule instead of rushing the next ones.
  if (now - deadline > kNanosecondsPerSecond / kFramesPerSecond) {
    m_start = now;
    m_frame = 0;
  }
}

}  // namespace platform::sdl
