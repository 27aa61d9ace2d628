// Presenting the page: where it goes on an output of any size, and how evenly
// the frames were shown (the --frame-stats report).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/page_layout.hpp"
#include "platform/sdl/frame_stats.hpp"

namespace {

// A whole multiple is kept while it fills most of the height, else the
// largest 4:3 picture fits; forced whole multiples centre the largest that
// fits, overhanging, centred, an output smaller than the page.
TEST(PageLayout, WholeMultipleWhileItFillsMostOfTheHeightElseFittedAndAlwaysCentredFourByThree) {
  const struct {
    int32_t w, h;
    bool wholeOnly;
    PageLayout want;
  } cases[] = {
      {640, 480, false, {1, 0, 0, 640, 480}},
      {1280, 960, false, {2, 0, 0, 1280, 960}},
      {1920, 1080, false, {2, 320, 60, 1280, 960}},
      {1280, 1024, false, {2, 0, 32, 1280, 960}},
      {2560, 1440, false, {3, 320, 0, 1920, 1440}},
      {3840, 2160, false, {4, 640, 120, 2560, 1920}},
      {1000, 640, false, {1, 180, 80, 640, 480}},  // exactly three quarters of the height: still whole
      {800, 1280, false, {1, 80, 400, 640, 480}},  // upright: measured against the fitted 800 x 600
      {1366, 768, false, {1, 171, 0, 1024, 768}},
      {1280, 800, false, {1, 106, 0, 1067, 800}},  // 1066.7 wide, rounded
      {1000, 641, false, {1, 72, 0, 855, 641}},    // one row past three quarters
      {1024, 768, false, {1, 0, 0, 1024, 768}},
      {1000, 1600, false, {1, 0, 425, 1000, 750}},  // upright: the width limits
      {2000, 1300, false, {2, 133, 0, 1733, 1300}},
      {320, 240, false, {1, 0, 0, 320, 240}},
      {639, 480, false, {1, 0, 0, 639, 479}},
      {0, 0, false, {1, 0, 0, 1, 1}},  // a minimised window divides by nothing
      {320, 240, true, {1, -160, -120, 640, 480}},
      {639, 480, true, {1, 0, 0, 640, 480}},
      {1366, 768, true, {1, 363, 144, 640, 480}},
      {2000, 1300, true, {2, 360, 170, 1280, 960}},
  };
  for (const auto& c : cases) {
    const PageLayout got = LayOutPage(c.w, c.h, c.wholeOnly);
    EXPECT_EQ(got, c.want) << c.w << "x" << c.h << (c.wholeOnly ? " whole only" : "") << ": factor " << got.factor
                           << ", " << got.width << "x" << got.height << " at (" << got.x << ", " << got.y << ")";
  }
  EXPECT_TRUE(LayOutPage(1000, 640, false).WholeMultiple());
  EXPECT_FALSE(LayOutPage(1000, 641, false).WholeMultiple());
  EXPECT_FALSE((PageLayout{1, 0, 0, 640, 481}).WholeMultiple());

  // Over a sweep of sizes: the factor is the largest that fits, the picture is
  // 4:3 to the pixel, inside the output and centred.
  for (int32_t w = 640; w <= 4000; w += 37) {
    for (int32_t h = 480; h <= 3000; h += 29) {
      const PageLayout got = LayOutPage(w, h, false);
      const std::string size = std::to_string(w) + "x" + std::to_string(h);
      ASSERT_LE(640 * got.factor, w) << size;
      ASSERT_LE(480 * got.factor, h) << size;
      ASSERT_TRUE(640 * (got.factor + 1) > w || 480 * (got.factor + 1) > h) << size;
      ASSERT_LE(std::abs(got.width * 3 - got.height * 4), 3) << size;
      ASSERT_TRUE(got.width == w || got.height == h || got.WholeMultiple()) << size;
      ASSERT_GE(got.x, 0) << size;
      ASSERT_GE(got.y, 0) << size;
      ASSERT_EQ(w - got.width - got.x - got.x, (w - got.width) % 2) << size;
      ASSERT_EQ(h - got.height - got.y - got.y, (h - got.height) % 2) << size;
    }
  }
}

using platform::sdl::FrameStats;
using platform::sdl::Summarize;

constexpr uint64_t kMs = 1'000'000;
constexpr uint64_t kFrame = 16'666'667;

TEST(FrameStats, NearestRankMedianAndPercentileLateAMillisecondOverAndTheReportOfThePresents) {
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
  EXPECT_EQ(Summarize({}).medianMs, 0.0);
  // Late means more than 1000/60 + 1 ms, 17.666666... ms.
  EXPECT_EQ(Summarize({17'666'666, 16 * kMs, 0}).late, 0u);
  EXPECT_EQ(Summarize({17'666'667, 33 * kMs, kFrame, 17'666'666}).late, 2u);

  // The times between presents recorded, and reported.
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
