// settings.ini and the controls it keeps: read with SDL's names, every
// unusable line named by file and line with its action's default kept, and
// written back whole without losing the lines it does not own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/board_address.hpp"
#include "app/controls.hpp"
#include "app/settings_file.hpp"
#include "app/view_settings.hpp"
#include "platform/sdl/sdl_controls.hpp"
#include "test_support.hpp"

namespace {

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::WriteFile;

Controls Read(const std::string& text, std::vector<std::string>& warnings, const std::string& path = "s.ini") {
  return ReadControls(SettingsFile::Parse(text, path, warnings), path, platform::sdl::SdlControlNames(), warnings);
}

TEST(SettingsFile, ChosenKeysAndButtonsAreReadInSdlsSpellingAndGarbledLinesNamed) {
  std::vector<std::string> warnings;
  const Controls controls = Read("# mine\n[keyboard]\r\nfire = z\n  bomb=X  \nexit = Keypad ,, q\n\n"
                                 "[gamepad]\nfire = X\nbomb = A\nup = y\nexit = back\n",
                                 warnings);
  EXPECT_TRUE(warnings.empty()) << warnings[0];
  Controls want = DefaultControls();
  want.keyboard.names[4] = {"Z"};
  want.keyboard.names[5] = {"X"};
  want.keyboard.names[6] = {"Keypad ,", "Q"};
  want.gamepad.names[0] = {"y"};
  want.gamepad.names[4] = {"x"};
  want.gamepad.names[5] = {"a"};
  want.gamepad.names[6] = {"back"};
  EXPECT_EQ(controls, want);
  EXPECT_EQ(SettingsFolder("/x", "/home/p"), "/x/kestrova");
  EXPECT_EQ(SettingsFolder("relative", "/home/p"), "/home/p/.config/kestrova");
  EXPECT_EQ(SettingsFolder("", ""), "");

  // Each warning names the line; the action it is about keeps what it had, and
  // a default a line takes for another action is that action's no more.
  const Controls garbled = Read(
      "fire = Z\n[keyboard]\nfire Z\njump = A\nbomb = Zed\nfire = Z\nup = z\nfire = X\nleft = \n"
      "right = Left Shift\ndown = Escape\n[colours]\nscale = 2\n[gamepad]\nfire = b\nbomb = north\n",
      warnings, "/c/settings.ini");
  EXPECT_EQ(warnings, (std::vector<std::string>{
      "/c/settings.ini:1: 'fire = Z' comes before any [SECTION]; it is not read",
      "/c/settings.ini:3: expected 'KEY = VALUE' or '[SECTION]', not 'fire Z'",
      "/c/settings.ini:12: unknown section [colours]; its lines are not read",
      "/c/settings.ini:4: unknown action 'jump' (up, down, left, right, fire, bomb or exit)",
      "/c/settings.ini:5: 'Zed' names no key; bomb keeps Left Shift, Right Shift",
      "/c/settings.ini:7: Z is fire's already (line 6); up keeps Up",
      "/c/settings.ini:8: fire was given on line 6; this line is not read",
      "/c/settings.ini:9: no key given (a name, or none); left keeps Left",
      "/c/settings.ini:11: down takes exit's last key; exit has none now",
      "/c/settings.ini:16: 'north' names no button; bomb keeps none",
      "/c/settings.ini:15: fire takes bomb's last button; bomb has none now",
  }));
  Controls defaults = DefaultControls();
  defaults.keyboard.names = {{{"Up"}, {"Escape"}, {"Left"}, {"Left Shift"}, {"Z"}, {"Right Shift"}, {}}};
  defaults.gamepad.names[4] = {"b"};
  defaults.gamepad.names[5] = {};
  EXPECT_EQ(garbled, defaults);
}

// At the first start the file is written with the defaults, which read back
// as they are; where nothing can be written, or the file cannot be read, the
// game says so and plays with the defaults, and what was there stays.
TEST(SettingsFile, MissingUnreadableAndUnwritableGiveTheDefaults) {
  const std::filesystem::path dir = MakeTempDir();
  const std::string path = (dir / "kestrova" / "settings.ini").string();
  std::vector<std::string> warnings;
  EXPECT_EQ(LoadControls(path, platform::sdl::SdlControlNames(), warnings), DefaultControls());
  EXPECT_EQ(warnings, std::vector<std::string>{path + " was not there: written with the default controls"});
  // Each line's spelling is the menu's save's to check; a new file opens with its first section.
  EXPECT_EQ(ReadFile(path).rfind("[keyboard]\nup = Up\n", 0), 0u);
  warnings.clear();
  EXPECT_EQ(LoadControls(path, platform::sdl::SdlControlNames(), warnings), DefaultControls());
  EXPECT_TRUE(warnings.empty()) << warnings[0];

  // A settings folder that leads nowhere (a link to a folder not there) cannot be made.
  std::filesystem::create_directory_symlink(dir / "gone" / "deeper", dir / "link");
  const std::string blocked = (dir / "link" / "settings.ini").string();
  warnings.clear();
  EXPECT_EQ(LoadControls(blocked, platform::sdl::SdlControlNames(), warnings), DefaultControls());
  EXPECT_EQ(warnings, std::vector<std::string>{"cannot keep the settings: " + blocked +
                                               ": open the folder: No such file or directory"});
  EXPECT_FALSE(std::filesystem::exists(dir / "gone"));

  // A settings.ini that is no file is read as nothing, and left as it is.
  const std::filesystem::path odd = dir / "odd" / "settings.ini";
  std::filesystem::create_directories(odd / "inside");
  warnings.clear();
  EXPECT_EQ(LoadControls(odd.string(), platform::sdl::SdlControlNames(), warnings), DefaultControls());
  EXPECT_EQ(warnings, std::vector<std::string>{odd.string() + ": Is a directory; playing with the default controls"});
  EXPECT_TRUE(std::filesystem::is_directory(odd / "inside"));
}

// The menu's operations: a key another action has is refused, and saving
// rewrites only the controls' lines, in place, dropping their repeats. The view,
// the sound and the start are kept for the next start the same way: each value
// read or named with its line, and written back beside what else the file holds.
// The board's address is read alone: a line that cannot be one is named and
// leaves no board, rather than one half meant.
TEST(SettingsFile, TheMenusControlsAndTheViewTheSoundAndTheStartAreSavedKeepingTheRestAndTheBoardRead) {
  Controls controls = DefaultControls();
  EXPECT_EQ(controls.keyboard.Bind(GameAction::Fire, "Z"), std::nullopt);
  EXPECT_EQ(controls.keyboard.Bind(GameAction::Bomb, "Z"), GameAction::Fire);
  EXPECT_EQ(controls.keyboard.names[5], (std::vector<std::string>{"Left Shift", "Right Shift"}));
  const std::string path = (MakeTempDir() / "settings.ini").string();
  WriteFile(path, "# my keys\n[keyboard]\nfire = X\nwhat\nfire = C\n\n[colours]\nscale = 2\n");
  std::string error;
  ASSERT_TRUE(SaveControls(path, controls, error)) << error;
  std::string text = ReadFile(path);
  EXPECT_EQ(text, "# my keys\n[keyboard]\nfire = Z\nwhat\nup = Up\ndown = Down\nleft = Left\nright = Right\n"
                  "bomb = Left Shift, Right Shift\nexit = Escape\n\n[colours]\nscale = 2\n\n[gamepad]\nup = dpup\n"
                  "down = dpdown\nleft = dpleft\nright = dpright\nfire = a\nbomb = b\nexit = none\n");
  std::vector<std::string> warnings;
  EXPECT_EQ(Read(text, warnings), controls);

  warnings.clear();
  const SettingsFile file = SettingsFile::Parse(
      "[keyboard]\nfire = Z\n[video]\ninteger_scale = yes\nshade = 3\n[sound]\nvolume = 140\nmute = yes\n"
      "[start]\ndialog = no\nlanguage = fr\nkeyboard = no\nfullscreen = maybe\n"
      "[board]\naddress = http://a\nurl = http://b\naddress = board.example\n",
      path, warnings);
  ViewAndSound defaults{false, {70, false}, {}};
  defaults.start.language = "ja";
  const ViewAndSound read = ReadViewAndSound(file, path, defaults, warnings);
  EXPECT_EQ(read, (ViewAndSound{true, {70, true}, {false, "ja", std::nullopt, false}}));
  ASSERT_EQ(warnings.size(), 4u);
  EXPECT_EQ(warnings[0], path + ":5: no video setting 'shade'");
  EXPECT_EQ(warnings[1], path + ":7: volume takes a whole number from 0 to 100, not '140'; it stays as it was");
  EXPECT_EQ(warnings[2], path + ":11: language takes en, ja or desktop, not 'fr'; it stays as it was");
  EXPECT_EQ(warnings[3], path + ":13: fullscreen takes yes or no, not 'maybe'; it stays as it was");
  EXPECT_EQ(ReadBoardAddress(file, path, warnings), "");
  EXPECT_EQ(std::vector<std::string>(warnings.begin() + 4, warnings.end()),
            (std::vector<std::string>{path + ":16: no board setting 'url'",
                                      path + ":17: 'board.example' is no board: a board's address starts with "
                                             "http:// or https://; no run is sent"}));
  WriteFile(path, "# mine\n[keyboard]\nfire = Z\n[board]\naddress = http://b:80\n");
  const ViewAndSound saving{false, {30, false}, {true, "", true, std::nullopt}};
  ASSERT_TRUE(SaveViewAndSound(path, saving, error)) << error;
  text = ReadFile(path);
  EXPECT_EQ(text, "# mine\n[keyboard]\nfire = Z\n[board]\naddress = http://b:80\n\n[video]\ninteger_scale = no\n\n"
                  "[sound]\nvolume = 30\nmute = no\n\n[start]\ndialog = yes\nlanguage = desktop\nfullscreen = yes\n");
  warnings.clear();
  const SettingsFile saved = SettingsFile::Parse(text, path, warnings);
  EXPECT_EQ(ReadViewAndSound(saved, path, defaults, warnings).start, (StartPrefs{true, "", true, std::nullopt}));
  EXPECT_EQ(ReadBoardAddress(saved, path, warnings), "http://b:80");
  EXPECT_EQ(ReadBoardAddress(SettingsFile::Parse("[sound]\n", path, warnings), path, warnings), "");
  EXPECT_TRUE(warnings.empty()) << warnings[0];
  EXPECT_EQ(RunsEndpoint("http://a:1/k/"), "http://a:1/k/api/runs");
  EXPECT_EQ(RunsEndpoint("https://a"), "https://a/api/runs");
}

}  // namespace
