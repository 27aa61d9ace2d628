#include "gfx/page_layout.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct Case {
  int32_t w, h;
  PageLayout want;
};

void ExpectLayouts(const Case* begin, const Case* end, bool wholeMultiplesOnly) {
  for (const Case* c = begin; c != end; ++c) {
    const PageLayout got = LayOutPage(c->w, c->h, wholeMultiplesOnly);
    EXPECT_EQ(got, c->want) << c->w << "x" << c->h << ": factor " << got.factor << ", " << got.width << "x"
                            << got.height << " at (" << got.x << ", " << got.y << ")";
  }
}

TEST(PageLayout, WholeMultipleKeptWhileItFillsMostOfTheHeight) {
  const Case cases[] = {
      {640, 480, {1, 0, 0, 640, 480}},
      {1280, 960, {2, 0, 0, 1280, 960}},
      {1920, 1080, {2, 320, 60, 1280, 960}},
      {1280, 1024, {2, 0, 32, 1280, 960}},
      {2560, 1440, {3, 320, 0, 1920, 1440}},
      {3840, 2160, {4, 640, 120, 2560, 1920}},
      {1000, 640, {1, 180, 80, 640, 480}},  // exactly three quarters of the height: still whole
      {800, 1280, {1, 80, 400, 640, 480}},  // upright: measured against the fitted 800 x 600
  };
  ExpectLayouts(std::begin(cases), std::end(cases), false);
  for (const Case& c : cases) EXPECT_TRUE(LayOutPage(c.w, c.h, false).WholeMultiple()) << c.w << "x" << c.h;
}

TEST(PageLayout, FittedWhenTheWholeMultipleLeavesTooMuchUnused) {
  const Case cases[] = {
      {1366, 768, {1, 171, 0, 1024, 768}},
      {1600, 900, {1, 200, 0, 1200, 900}},
      {1280, 800, {1, 106, 0, 1067, 800}},  // 1066.7 wide, rounded
      {1000, 641, {1, 72, 0, 855, 641}},  // one row past three quarters
      {1024, 768, {1, 0, 0, 1024, 768}},
      {1000, 1600, {1, 0, 425, 1000, 750}},  // upright: the width limits
      {2000, 1300, {2, 133, 0, 1733, 1300}},
  };
  ExpectLayouts(std::begin(cases), std::end(cases), false);
  for (const Case& c : cases) EXPECT_FALSE(LayOutPage(c.w, c.h, false).WholeMultiple()) << c.w << "x" << c.h;
}

TEST(PageLayout, OutputSmallerThanThePage) {
  // Shrunk to fit unless whole multiples are forced; then the page overhangs, centred.
  const Case fitted[] = {
      {320, 240, {1, 0, 0, 320, 240}},
      {639, 480, {1, 0, 0, 639, 479}},
      {0, 0, {1, 0, 0, 1, 1}},  // a minimised window divides by nothing
  };
  ExpectLayouts(std::begin(fitted), std::end(fitted), false);
  const Case whole[] = {
      {320, 240, {1, -160, -120, 640, 480}},
      {639, 480, {1, 0, 0, 640, 480}},
  };
  ExpectLayouts(std::begin(whole), std::end(whole), true);
}

TEST(PageLayout, WholeMultiplesOnlyCentresTheLargestThatFits) {
  const Case cases[] = {
      {1366, 768, {1, 363, 144, 640, 480}},
      {1600, 900, {1, 480, 210, 640, 480}},
      {2000, 1300, {2, 360, 170, 1280, 960}},
      {1920, 1080, {2, 320, 60, 1280, 960}},
  };
  ExpectLayouts(std::begin(cases), std::end(cases), true);
}

// Over a sweep of sizes: the factor is the largest that fits, the picture is
// 4:3 to the pixel, inside the output and centred.
TEST(PageLayout, EverySizeGivesACentredFourByThreePicture) {
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

}  // namespace
