// The menu in the player's language: Japanese in the kana page's katakana,
// and the texts as they stand when there is no page to draw them from.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "data/kana_geometry.hpp"
#include "data/sheet_geometry.hpp"
#include "gfx/kana_text.hpp"
#include "play_fixture.hpp"

namespace {

using testing_support::HeadlessGame;

// A few of the catalogue's entries; the rest as they stand.
class FewEntries final : public Translator {
 public:
  const char* Translate(const char* text) const override {
    const auto at = kEntries.find(text);
    return at == kEntries.end() ? text : at->second;
  }

 private:
  const std::map<std::string, const char*> kEntries = {
      {"MENU", "メニュー"}, {"RESUME", "サイカイ"}, {"VIDEO", "ガメン"}, {"FULL SCREEN", "フルスクリーン"}, {"OFF", "オフ"}};
};

// Each character's cell of `source` (where `cellOf` has it), enlarged `scale`
// times, side by side from (x, y) of the page: every painted pixel of it.
template <typename Char>
bool Shows(const std::vector<uint8_t>& page, const Surface& source, RECT (*cellOf)(int32_t),
           std::basic_string_view<Char> text, int x, int y, int scale) {
  for (const Char c : text) {
    const RECT cell = cellOf(static_cast<int32_t>(c));
    if (!testing_support::ShowsCell(page, cell, x, y, scale, source)) return false;
    x += (cell.right - cell.left) * scale;
  }
  return true;
}
RECT BigLetter(int32_t c) { return BigGlyphRect(c - 'A'); }

// The game with the menu opened on the title, then steered by `keys`, one
// press a frame; each frame's page.
std::vector<std::vector<uint8_t>> MenuPages(const Translator& texts, const Resources& resources,
                                            const std::vector<uint8_t>& keys) {
  HeadlessGame files({play_test::StillTypes(), play_test::kQuietScript, play_test::kChars});
  testing_support::WindowedApp app(files.WindowOptions(), resources, texts);
  FrameInput open;
  open.menu = true;
  app.OnIdle(FrameInput{});
  app.OnIdle(open);
  std::vector<std::vector<uint8_t>> pages{app.window.lastPage};
  for (const uint8_t vk : keys) {
    app.OnIdle(testing_support::Held({vk}));
    app.OnIdle(FrameInput{});
    pages.push_back(app.window.lastPage);
  }
  return pages;
}

// Down past GAME, CONTROLS and PAD to VIDEO, its page; back, then SOUND's.
const std::vector<uint8_t> kThroughThePages = {VK_DOWN,  VK_DOWN,   VK_DOWN, VK_DOWN,
                                               VK_SPACE, VK_ESCAPE, VK_DOWN, VK_SPACE};

// Without the kana page the same entries leave the menu in the texts as they
// stand, with a warning.
TEST(MenuLanguage, JapaneseIsDrawnFromTheKanaPageBesideTheTextsWithoutEntriesOrWithoutThePage) {
  const std::vector<std::vector<uint8_t>> pages = MenuPages(FewEntries(), BuiltinResources(), kThroughThePages);
  Surface kana;
  std::string error;
  ASSERT_TRUE(LoadKanaPage(BuiltinResources().kana, kana, error)) << error;
  const auto showsKana = [&](const std::vector<uint8_t>& page, std::u32string_view text, int x, int y, int scale) {
    return Shows(page, kana, KanaCellRect, text, x, y, scale);
  };
  const Surface& sheet = testing_support::BuiltinSheet().pixels;
  EXPECT_TRUE(showsKana(pages[0], U"メニュー", 160, 96, 6)) << "the title as tall as the big letters";
  EXPECT_TRUE(showsKana(pages[0], U"サイカイ", 160, 160, 2));
  EXPECT_TRUE(Shows(pages[0], sheet, CharCellRect, std::string_view("GAME"), 160, 190, 2)) << "no entry";
  const std::vector<uint8_t>& video = pages[5];
  EXPECT_TRUE(showsKana(video, U"ガメン", 160, 96, 6));
  EXPECT_TRUE(showsKana(video, U"フルスクリーン", 160, 160, 2));
  EXPECT_TRUE(showsKana(video, U"オフ", 352, 160, 2)) << "a value";
  EXPECT_TRUE(Shows(video, sheet, CharCellRect, std::string_view("INTEGER"), 160, 190, 2));

  const std::vector<std::vector<uint8_t>> source = MenuPages(kSourceTexts, BuiltinResources(), kThroughThePages);
  Resources noKana = BuiltinResources();
  noKana.kana = {};
  testing::internal::CaptureStderr();
  const std::vector<std::vector<uint8_t>> fallen = MenuPages(FewEntries(), noKana, kThroughThePages);
  const std::string warnings = testing::internal::GetCapturedStderr();
  EXPECT_NE(warnings.find("warning: kana.bmp: missing; the menu stays in English"), std::string::npos) << warnings;
  EXPECT_EQ(fallen, source);
  EXPECT_NE(pages[0], source[0]);
  // The source texts where they always were: the title in the big letters, the rows in the small.
  EXPECT_TRUE(Shows(source[0], sheet, BigLetter, std::string_view("MENU"), 160, 96, 3));
  EXPECT_TRUE(Shows(source[0], sheet, CharCellRect, std::string_view("RESUME"), 160, 160, 2));
}

}  // namespace
