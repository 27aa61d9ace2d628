// How evenly the frames were presented: the --frame-stats report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::sdl {

// An interval more than this over 1000/60 ms is a late frame: past timer
// noise, on the way to a frame shown twice.
inline constexpr uint64_t kLateMarginNanoseconds = 1'000'000;

struct FrameSummary {
  size_t intervals = 0;
  double medianMs = 0;
  double percentile99Ms = 0;  // nearest rank, as the median
  size_t late = 0;
};

FrameSummary Summarize(std::vector<uint64_t> intervalsNs);

// The times between presents, from a monotonic nanosecond clock.
class FrameStats {
 public:
  void Record(uint64_t now);
  uint64_t Frames() const { return m_frames; }
  FrameSummary Summary() const { return Summarize(m_intervals); }

 private:
  uint64_t m_frames = 0;
  uint64_t m_last = 0;
  std::vector<uint64_t> m_intervals;
};

// One line for the player: frames, median and 99th percentile interval, late frames.
std::string FrameReport(const FrameStats& stats);

}  // namespace platform::sdl
