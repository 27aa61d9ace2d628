// The menu's moves and changes, and what it draws.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "test_support.hpp"
#include "ui/menu.hpp"

namespace {

using Key = bool MenuInput::*;
constexpr Key kUp = &MenuInput::up;
constexpr Key kDown = &MenuInput::down;
constexpr Key kLeft = &MenuInput::left;
constexpr Key kRight = &MenuInput::right;
constexpr Key kChoose = &MenuInput::choose;
constexpr Key kBack = &MenuInput::back;

class MenuSteps : public testing::Test {
 protected:
  // Each of `keys` pressed alone for a frame; what the menu is after the last.
  MenuResult Walk(std::initializer_list<Key> keys) {
    MenuResult result = MenuResult::Closed;
    for (const Key key : keys) {
      MenuInput input;
      input.*key = true;
      result = menu.Step(input, settings);
    }
    return result;
  }
  Menu menu;
  MenuSettings settings;
};

TEST_F(MenuSteps, RowsWrapPagesOpenAndBackOrQuitClose) {
  EXPECT_EQ(Walk({kChoose}), MenuResult::Closed) << "closed until opened";
  menu.Open(false);
  EXPECT_EQ(Walk({kUp}), MenuResult::Open);  // round to QUIT
  EXPECT_EQ(Walk({kChoose}), MenuResult::Quit);
  EXPECT_FALSE(menu.IsOpen());
  menu.Open(false);
  // Past CONTROLS and PAD to VIDEO: full screen first, integer scale below it.
  Walk({kDown, kDown, kDown, kChoose, kChoose, kDown, kRight});
  EXPECT_EQ(settings.view, (PlayerView{true, true}));
  Walk({kBack, kDown, kChoose});  // back on VIDEO's row: down is SOUND
  settings.volume = PlayerVolume{95, true};
  Walk({kRight});
  EXPECT_EQ(settings.volume, (PlayerVolume{100, false})) << "up to full, unmuted";
  Walk({kChoose});
  EXPECT_EQ(settings.volume.percent, 0) << "chosen past full: round to silence";
  Walk({kLeft});
  EXPECT_EQ(settings.volume.percent, 0);
  Walk({kDown, kLeft});
  EXPECT_TRUE(settings.volume.muted);
  Walk({kDown, kChoose, kUp, kUp, kUp, kUp});  // BACK, then RESUME is four rows up
  EXPECT_EQ(Walk({kRight}), MenuResult::Open) << "only chosen";
  EXPECT_EQ(Walk({kChoose}), MenuResult::Closed);
  menu.Open(false);
  EXPECT_EQ(Walk({kBack}), MenuResult::Closed);

  // LANGUAGE, above QUIT, goes round the desktop's, English and Japanese either way.
  menu.Open(false);
  Walk({kUp, kUp});
  std::vector<std::string> chosen;
  for (const Key key : {kRight, kChoose, kRight, kLeft}) {
    Walk({key});
    chosen.push_back(settings.language);
  }
  EXPECT_EQ(chosen, (std::vector<std::string>{"en", "ja", "", "ja"}));
  Walk({kUp, kUp, kChoose, kDown, kDown, kChoose});  // SOUND, VIDEO, and its third row: the dialog at start
  EXPECT_FALSE(settings.dialogAtStart);
}

// The keys page: a row chosen asks for a key, which the next one pressed
// answers, the arrows and Escape among them; the menu's own key lets it go.
TEST_F(MenuSteps, TheKeysPageAsksForAKeyAndPassesItOn) {
  menu.Open(false);
  Walk({kDown, kChoose, kDown, kDown, kDown, kDown, kChoose});  // CONTROLS, on UP, down to FIRE: press its key
  MenuInput escape;
  escape.back = true;
  escape.keyName = "Escape";
  EXPECT_EQ(menu.Step(escape, settings), MenuResult::Open) << "Escape is an answer, not a way back";
  EXPECT_EQ(settings.bind, (MenuSettings::Binding{ControlDevice::Keyboard, 4, "Escape"}));
  settings.bind.reset();
  Walk({kChoose, kBack});  // the question let go, no key given
  EXPECT_FALSE(settings.bind.has_value());
  Walk({kDown, kDown, kDown, kChoose});  // RESET
  EXPECT_EQ(settings.reset, ControlDevice::Keyboard);
  EXPECT_EQ(Walk({kBack, kBack}), MenuResult::Closed) << "from the top page";

  // The pad's page, next: a button answers, a key does not, and its reset is the pad's.
  settings = MenuSettings{};
  menu.Open(false);
  Walk({kDown, kDown, kChoose, kDown, kDown, kDown, kDown, kChoose});  // FIRE
  MenuInput key, button;
  key.keyName = "Z";
  button.buttonName = "x";
  menu.Step(key, settings);
  EXPECT_FALSE(settings.bind.has_value());
  menu.Step(button, settings);
  EXPECT_EQ(settings.bind, (MenuSettings::Binding{ControlDevice::Pad, 4, "x"}));
  Walk({kDown, kDown, kDown, kChoose});
  EXPECT_EQ(settings.reset, ControlDevice::Pad);
}

// On the title the next run's rules: each row goes round its values either way.
TEST_F(MenuSteps, TheGamePageOnTheTitleChoosesRulesDifficultyStageAndStart) {
  settings.stages = 2;
  menu.Open(true);
  Walk({kDown, kChoose, kLeft});  // GAME, RULES round back to PRACTICE
  Walk({kDown, kChoose});         // DIFFICULTY on to HARD
  Walk({kDown, kLeft});           // STAGE round to the last
  Walk({kDown, kLeft});           // FROM round to the carrier
  EXPECT_EQ(settings.rules, (GameRules{RulesKind::Practice, Difficulty::Hard, 2, kFromCarrier, true, false}));
  Walk({kRight});
  EXPECT_EQ(settings.rules.fromSeconds, 0);
  EXPECT_EQ(Walk({kBack, kUp, kChoose}), MenuResult::Closed);  // back on GAME: up is RESUME
  menu.Open(false);
  Walk({kDown, kDown, kDown, kChoose, kChoose});  // CONTROLS, PAD, then VIDEO: no GAME away from the title
  EXPECT_TRUE(settings.view.fullScreen);
}

TEST_F(MenuSteps, AClickChoosesTheRowUnderItAndTheCursorIsDrawnThere) {
  menu.Open(false);
  MenuInput click;
  click.clickY = 100;  // above the rows
  EXPECT_EQ(menu.Step(click, settings), MenuResult::Open);
  click.clickY = 160 + 7 * 30;  // below QUIT
  EXPECT_EQ(menu.Step(click, settings), MenuResult::Open);
  EXPECT_EQ(menu.RowAt(160 + 30 + 15), 1);
  click.clickY = 160 + 4 * 30 + 4;  // SOUND
  menu.Step(click, settings);
  Surface page = Surface::Blank(PAGE_WIDTH, PAGE_HEIGHT), ring;
  const SpriteSheet& sheet = testing_support::BuiltinSheet();
  CDisplay display(sheet, page, ring);
  menu.Draw(display, settings);
  // The box, enlarged twice, beside the chosen row only.
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(testing_support::ShowsCell(page.pixels, CharCellRect('\''), 128, 160 + 30 * row, 2), row == 0) << row;
  }
}

}  // namespace
