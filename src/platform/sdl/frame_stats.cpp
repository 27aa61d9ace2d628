#include "platform/sdl/frame_stats.hpp"

#include <algorithm>
#include <cstdio>

#include "platform/sdl/frame_pacer.hpp"

namespace platform::sdl {
namespace {

constexpr double kNanosecondsPerMs = 1e6;

// The smallest interval with at least `percent` of all at or below it.
double NearestRankMs(const std::vector<uint64_t>& sorted, size_t percent) {
  const size_t rank = (sorted.size() * percent + 99) / 100;
  return static_cast<double>(sorted[std::max<size_t>(rank, 1) - 1]) / kNanosecondsPerMs;
}

}  // namespace

FrameSummary Summarize(std::vector<uint64_t> intervalsNs) {
  FrameSummary summary;
  summary.intervals = intervalsNs.size();
  if (intervalsNs.empty()) return summary;
  std::sort(intervalsNs.begin(), intervalsNs.end());
  summary.medianMs = NearestRankMs(intervalsNs, 50);
  summary.percentile99Ms = NearestRankMs(intervalsNs, 99);
  // Compared times 60 so that 1000/60 ms needs no rounding.
  const uint64_t lateTimes60 = kNanosecondsPerSecond + kLateMarginNanoseconds * kFramesPerSecond;
  summary.late = static_cast<size_t>(std::count_if(intervalsNs.begin(), intervalsNs.end(), [&](uint64_t interval) {
    return interval * kFramesPerSecond > lateTimes60;
  }));
  return summary;
}

void FrameStats::Record(uint64_t now) {
  if (m_frames++ > 0) m_intervals.push_back(now - m_last);
  m_last = now;
}

std::string FrameReport(const FrameStats& stats) {
  const FrameSummary summary = stats.Summary();
  char line[256];
  std::snprintf(line, sizeof line,
                "frame stats: %llu frames; interval median %.3f ms, 99th percentile %.3f ms; "
                "%zu late (over %.3f ms)\n",
                static_cast<unsigned long long>(stats.Frames()), summary.medianMs, summary.percentile99Ms, summary.late,
                1000.0 / kFramesPerSecond + static_cast<double>(kLateMarginNanoseconds) / kNanosecondsPerMs);
  return line;
}

}  // namespace platform::sdl
