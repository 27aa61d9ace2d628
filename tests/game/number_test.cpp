#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "data/sheet_geometry.hpp"
#include "play_fixture.hpp"

namespace {

using play_test::HeadlessGame;

// Each cell painted with its own value: big digit d = 10 + d, big minus 9,
// small digit d = 30 + d, small minus 29, letter i = 50 + i.
void PaintCells(Surface& sheet) {
  ClearSurface(sheet);
  const auto fill = [&sheet](RECT r, int value) {
    for (int32_t y = r.top; y < r.bottom; ++y) {
      for (int32_t x = r.left; x < r.right; ++x) sheet.Row(y)[x] = static_cast<uint8_t>(value);
    }
  };
  for (int d = 0; d < 10; ++d) {
    fill(g_rcDigit[static_cast<size_t>(d)], 10 + d);
    fill(g_rcSmallDigit[static_cast<size_t>(d)], 30 + d);
  }
  fill(RC_BIG_MINUS, 9);
  fill(RC_SMALL_MINUS, 29);
  for (int i = 0; i < 26; ++i) fill(BigGlyphRect(i), 50 + i);
}

// The text drawn from `left` in cells of `size`, and nothing in the cell before it.
void ExpectText(const Surface& page, const std::string& text, int left, int top, int size, int digitBase,
                int minus) {
  EXPECT_EQ(page.Row(top + size / 2)[left - size / 2], 0) << text << " starts later";
  for (size_t i = 0; i < text.size(); ++i) {
    const int want = text[i] == '-' ? minus : digitBase + (text[i] - '0');
    const int x = left + static_cast<int>(i) * size + size / 2;
    EXPECT_EQ(page.Row(top + size / 2)[x], want) << text << " at " << i;
  }
}

struct NumberDrawing : testing::Test {
  void SetUp() override {
    ASSERT_TRUE(game.Start());
    PaintCells(game.Display().GetSheetSurface());
  }
  Surface& Back() {
    ClearSurface(game.Display().GetBackSurface());
    return game.Display().GetBackSurface();
  }
  HeadlessGame game{play_test::DataFiles{play_test::StillTypes(), play_test::kQuietScript, play_test::kChars, ""}};
};

TEST_F(NumberDrawing, ScoreEndsAtX192UnderItsLabel) {
  const struct {
    int32_t value;
    const char* text;
    int left;
  } cases[] = {
      {0, "0", 176},           {12345, "12345", 112}, {32767, "32767", 112},        {-5, "-5", 160},
      {-32768, "-32768", 96},  {INT32_MAX, "2147483647", 32}, {INT32_MIN, "-2147483648", 16},
  };
  for (const auto& c : cases) {
    const Surface& page = Back();
    game.app->DrawScore(c.value);
    ExpectText(page, c.text, c.left, 32, 16, 10, 9);
    EXPECT_EQ(page.Row(40)[200], 0) << c.text;
    // S C O R E from x 128, a line above.
    const int label[] = {18, 2, 14, 17, 4};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(page.Row(24)[136 + 16 * i], 50 + label[i]) << c.text;
  }
}

TEST_F(NumberDrawing, NumbersEndAtTheirRightEdge) {
  const struct {
    int32_t value;
    const char* text;
    int left;
  } cases[] = {
      {0, "0", 200}, {2500, "2500", 176}, {123456, "123456", 160}, {-7, "-7", 192}, {INT32_MIN, "-2147483648", 120},
  };
  for (const auto& c : cases) {
    const Surface& page = Back();
    game.app->DrawNumber(c.value, 208, 100);
    ExpectText(page, c.text, c.left, 100, 8, 30, 29);
    EXPECT_EQ(page.Row(104)[212], 0) << c.text;
  }
}

}  // namespace
