#include "platform/sdl/frame_stats.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::sdl::FrameStats;
using platform::sdl::Summarize;

constexpr uint64_t kMs = 1'000'000;
constexpr uint64_t kFrame = 16'666'667;

TEST(FrameStats, MedianAndPercentileAreNearestRanks) {
  EXPECT_DOUBLE_EQ(Summarize({30 * kMs, 10 * kMs, 20 * kMs}).medianMs, 20.0) << "unsorted input";
  EXPECT_DOUBLE_EQ(Summarize({10 * kMs, 20 * kMs}).medianMs, 10.0);
  // One stall in a hundred frames is under the 99th percentile; two are not.
  std::vector<uint64_t> intervals(98, kFrame);
  intervals.insert(intervals.begin() + 40, 40 * kMs);
  intervals.push_back(15 * kMs);
  auto summary = Summarize(intervals);
  EXPECT_EQ(summary.intervals, 100u);
  EXPECT_NEAR(summary.medianMs, 16.667, 0.001);
  EXPECT_NEAR(summary.percentile99Ms, 16.667, 0.001);
  intervals.back() = 50 * kMs;
  summary = Summarize(intervals);
  EXPECT_DOUBLE_EQ(summary.percentile99Ms, 40.0);
  EXPECT_EQ(Summarize({}).intervals, 0u);
  EXPECT_EQ(Summarize({}).medianMs, 0.0);
}

TEST(FrameStats, LateMeansMoreThanAMillisecondOverTheFrameTime) {
  // 1000/60 + 1 ms is 17.666666... ms.
  EXPECT_EQ(Summarize({17'666'666, 16 * kMs, 0}).late, 0u);
  EXPECT_EQ(Summarize({17'666'667, 33 * kMs, kFrame, 17'666'666}).late, 2u);
}

TEST(FrameStats, RecordsTheTimeBetweenPresents) {
  FrameStats stats;
  for (const uint64_t at : {5 * kMs, 5 * kMs + kFrame, 5 * kMs + 2 * kFrame, 5 * kMs + 2 * kFrame + 20 * kMs}) {
    stats.Record(at);
  }
  EXPECT_EQ(stats.Frames(), 4u);
  EXPECT_EQ(stats.Summary().intervals, 3u);  // the rest as the report gives them
  const std::string report = platform::sdl::FrameReport(stats);
  for (const char* part : {"4 frames", "median 16.667 ms", "99th percentile 20.000 ms", "1 late (over 17.667 ms)"}) {
    EXPECT_NE(report.find(part), std::string::npos) << part << " in " << report;
  }
}

}  // namespace
