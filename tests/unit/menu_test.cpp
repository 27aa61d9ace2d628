// The menu's moves and changes, and what it draws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.hpp"
#include "ui/menu.hpp"

namespace {

MenuInput Press(bool MenuInput::*key) {
  MenuInput input;
  input.*key = true;
  return input;
}

TEST(Menu, RowsWrapPagesOpenAndBackOrQuitClose) {
  Menu menu;
  MenuSettings settings;
  EXPECT_EQ(menu.Step(Press(&MenuInput::choose), settings), MenuResult::Closed) << "closed until opened";
  menu.Open(false);
  EXPECT_EQ(menu.Step(Press(&MenuInput::up), settings), MenuResult::Open);  // round to QUIT
  EXPECT_EQ(menu.Step(Press(&MenuInput::choose), settings), MenuResult::Quit);
  EXPECT_FALSE(menu.IsOpen());
  menu.Open(false);
  for (int i = 0; i < 3; ++i) menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // past CONTROLS and PAD to VIDEO: full screen first
  menu.Step(Press(&MenuInput::choose), settings);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::right), settings);
  EXPECT_EQ(settings.view, (PlayerView{true, true}));
  menu.Step(Press(&MenuInput::back), settings);  // back on VIDEO's row: down is SOUND
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);
  settings.volume = PlayerVolume{95, true};
  menu.Step(Press(&MenuInput::right), settings);
  EXPECT_EQ(settings.volume, (PlayerVolume{100, false})) << "up to full, unmuted";
  menu.Step(Press(&MenuInput::choose), settings);
  EXPECT_EQ(settings.volume.percent, 0) << "chosen past full: round to silence";
  menu.Step(Press(&MenuInput::left), settings);
  EXPECT_EQ(settings.volume.percent, 0);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::left), settings);
  EXPECT_TRUE(settings.volume.muted);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // BACK, then RESUME is four rows up
  for (int i = 0; i < 4; ++i) menu.Step(Press(&MenuInput::up), settings);
  EXPECT_EQ(menu.Step(Press(&MenuInput::right), settings), MenuResult::Open) << "only chosen";
  EXPECT_EQ(menu.Step(Press(&MenuInput::choose), settings), MenuResult::Closed);
  menu.Open(false);
  EXPECT_EQ(menu.Step(Press(&MenuInput::back), settings), MenuResult::Closed);

  // LANGUAGE, above QUIT, goes round the desktop's, English and Japanese either way.
  menu.Open(false);
  menu.Step(Press(&MenuInput::up), settings);
  menu.Step(Press(&MenuInput::up), settings);
  std::vector<std::string> chosen;
  for (bool MenuInput::*key : {&MenuInput::right, &MenuInput::choose, &MenuInput::right, &MenuInput::left}) {
    menu.Step(Press(key), settings);
    chosen.push_back(settings.language);
  }
  EXPECT_EQ(chosen, (std::vector<std::string>{"en", "ja", "", "ja"}));
  menu.Step(Press(&MenuInput::up), settings);  // SOUND, VIDEO, and its third row: the dialog at start
  menu.Step(Press(&MenuInput::up), settings);
  menu.Step(Press(&MenuInput::choose), settings);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);
  EXPECT_FALSE(settings.dialogAtStart);
}

// The keys page: a row chosen asks for a key, which the next one pressed
// answers, the arrows and Escape among them; the menu's own key lets it go.
TEST(Menu, TheKeysPageAsksForAKeyAndPassesItOn) {
  Menu menu;
  MenuSettings settings;
  menu.Open(false);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // CONTROLS, on UP
  for (int i = 0; i < 4; ++i) menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // FIRE: press the key for it
  MenuInput escape = Press(&MenuInput::back);
  escape.keyName = "Escape";
  EXPECT_EQ(menu.Step(escape, settings), MenuResult::Open) << "Escape is an answer, not a way back";
  EXPECT_EQ(settings.bind, (MenuSettings::Binding{ControlDevice::Keyboard, 4, "Escape"}));
  settings.bind.reset();
  menu.Step(Press(&MenuInput::choose), settings);
  menu.Step(Press(&MenuInput::back), settings);  // the question let go, no key given
  EXPECT_FALSE(settings.bind.has_value());
  for (int i = 0; i < 3; ++i) menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // RESET
  EXPECT_EQ(settings.reset, ControlDevice::Keyboard);
  menu.Step(Press(&MenuInput::back), settings);
  EXPECT_EQ(menu.Step(Press(&MenuInput::back), settings), MenuResult::Closed) << "from the top page";

  // The pad's page, next: a button answers, a key does not, and its reset is the pad's.
  settings = MenuSettings{};
  menu.Open(false);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);
  for (int i = 0; i < 4; ++i) menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // FIRE
  MenuInput key, button;
  key.keyName = "Z";
  button.buttonName = "x";
  menu.Step(key, settings);
  EXPECT_FALSE(settings.bind.has_value());
  menu.Step(button, settings);
  EXPECT_EQ(settings.bind, (MenuSettings::Binding{ControlDevice::Pad, 4, "x"}));
  for (int i = 0; i < 3; ++i) menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);
  EXPECT_EQ(settings.reset, ControlDevice::Pad);
}

// On the title the next run's rules: each row goes round its values either way.
TEST(Menu, TheGamePageOnTheTitleChoosesRulesDifficultyStageAndStart) {
  Menu menu;
  MenuSettings settings;
  settings.stages = 2;
  menu.Open(true);
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // GAME
  menu.Step(Press(&MenuInput::left), settings);    // RULES round back to PRACTICE
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // DIFFICULTY on to HARD
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::left), settings);    // STAGE round to the last
  menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::left), settings);    // FROM round to the carrier
  EXPECT_EQ(settings.rules, (GameRules{RulesKind::Practice, Difficulty::Hard, 2, kFromCarrier, true, false}));
  menu.Step(Press(&MenuInput::right), settings);
  EXPECT_EQ(settings.rules.fromSeconds, 0);
  menu.Step(Press(&MenuInput::back), settings);  // back on GAME: up is RESUME
  menu.Step(Press(&MenuInput::up), settings);
  EXPECT_EQ(menu.Step(Press(&MenuInput::choose), settings), MenuResult::Closed);
  menu.Open(false);
  for (int i = 0; i < 3; ++i) menu.Step(Press(&MenuInput::down), settings);
  menu.Step(Press(&MenuInput::choose), settings);  // CONTROLS, PAD, then VIDEO: no GAME away from the title
  menu.Step(Press(&MenuInput::choose), settings);
  EXPECT_TRUE(settings.view.fullScreen);
}

TEST(Menu, AClickChoosesTheRowUnderItAndTheCursorIsDrawnThere) {
  Menu menu;
  MenuSettings settings;
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
  const RECT box = CharCellRect('\'');
  for (int row = 0; row < 3; ++row) {
    // The box's top-left corner, enlarged twice, beside the chosen row only.
    const uint8_t corner = page.Row(160 + 30 * row)[128];
    EXPECT_EQ(corner == sheet.pixels.Row(box.top)[box.left], row == 0) << row;
  }
}

}  // namespace
