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

using testing_support::BigLetterRect;
using testing_support::HeadlessGame;
using testing_support::ShowsText;

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
    return ShowsText(page, text, KanaCellRect, x, y, scale, 0, kana);
  };
  EXPECT_TRUE(showsKana(pages[0], U"メニュー", 160, 96, 6)) << "the title as tall as the big letters";
  EXPECT_TRUE(showsKana(pages[0], U"サイカイ", 160, 160, 2));
  EXPECT_TRUE(ShowsText(pages[0], U"GAME", CharCellRect, 160, 190, 2)) << "no entry";
  const std::vector<uint8_t>& video = pages[5];
  EXPECT_TRUE(showsKana(video, U"ガメン", 160, 96, 6));
  EXPECT_TRUE(showsKana(video, U"フルスクリーン", 160, 160, 2));
  EXPECT_TRUE(showsKana(video, U"オフ", 352, 160, 2)) << "a value";
  EXPECT_TRUE(ShowsText(video, U"INTEGER", CharCellRect, 160, 190, 2));

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
  EXPECT_TRUE(ShowsText(source[0], U"MENU", BigLetterRect, 160, 96, 3));
  EXPECT_TRUE(ShowsText(source[0], U"RESUME", CharCellRect, 160, 160, 2));
}

}  // namespace
