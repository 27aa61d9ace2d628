#include "platform/sdl/frame_pacer.hpp"

#include <SDL.h>

#include <utility>

namespace platform::sdl {
namespace {

// SDL_Delay may oversleep by a scheduler tick; the rest is spun.
constexpr uint64_t kSpinMilliseconds = 2;
// Some drivers accept vsync and never wait. Presents that come in faster than
// three quarters of the frame time over a short sample give them away.
constexpr uint32_t kVsyncSample = 10;

}  // namespace

PacerClock PacerClock::Sdl() {
  return {[] { return static_cast<uint64_t>(SDL_GetPerformanceCounter()); },
          [](uint32_t milliseconds) { SDL_Delay(milliseconds); }, SDL_GetPerformanceFrequency()};
}

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
  const uint64_t expected = kVsyncSample * m_clock.frequency * 3 / (4 * kFramesPerSecond);
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
  const uint64_t deadline = m_start + m_frame * m_clock.frequency / kFramesPerSecond;
  if (now >= deadline) {
    // A frame that ran late starts a new schedule instead of rushing the next ones.
    if (now - deadline > m_clock.frequency / kFramesPerSecond) {
      m_start = now;
      m_frame = 0;
    }
    return;
  }
  const uint64_t remainingMs = (deadline - now) * 1000 / m_clock.frequency;
  if (remainingMs > kSpinMilliseconds) m_clock.sleep(static_cast<uint32_t>(remainingMs - kSpinMilliseconds));
  while (m_clock.now() < deadline) {
  }
}

}  // namespace platform::sdl
