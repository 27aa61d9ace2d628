// The browser backend's parts that need no browser: the key and gamepad
// mapping, the 60 Hz frame clock, the page's language and its catalogues.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numeric>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/controls.hpp"
#include "app/language.hpp"
#include "input/keyboard.hpp"
#include "platform/sdl/gettext_translator.hpp"
#include "platform/web/catalogue.hpp"
#include "platform/web/frame_clock.hpp"
#include "platform/web/input_map.hpp"
#include "platform/web/page_language.hpp"
#include "ui/settings_form.hpp"

namespace {

using platform::web::KeyTracker;

std::vector<int> HeldKeys(const KeyTracker& tracker) {
  uint8_t keys[256];
  std::fill_n(keys, 256, uint8_t{0x55});  // Fill must clear what it does not set
  tracker.Fill(keys);
  std::vector<int> held;
  for (int vk = 0; vk < 256; ++vk) {
    EXPECT_TRUE(keys[vk] == 0 || keys[vk] == 0x80) << vk;
    if (keys[vk] != 0) held.push_back(vk);
  }
  return held;
}

// Keys that are not the game's stay the page's: they hold nothing. Shift
// stays held while either shift key is.
TEST(WebKeys, EachBrowserKeyHoldsItsVirtualKeyAndThePlayersTableBindsThemByTheDesktopsNames) {
  const std::pair<const char*, int> cases[] = {
      {"Space", VK_SPACE},    {"ShiftLeft", VK_SHIFT}, {"ShiftRight", VK_SHIFT},  {"Escape", VK_ESCAPE},
      {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP},      {"ArrowRight", VK_RIGHT}, {"ArrowDown", VK_DOWN},
      {"KeyA", 0},            {"Enter", 0},            {"", 0},                  {"space", 0},  {"Shift", 0},
  };
  for (const auto& [code, vk] : cases) {
    KeyTracker tracker;
    EXPECT_EQ(tracker.Set(code, true), vk != 0) << code;
    EXPECT_EQ(HeldKeys(tracker), vk != 0 ? std::vector<int>{vk} : std::vector<int>{}) << code;
    EXPECT_EQ(tracker.Set(code, false), vk != 0) << code;
    EXPECT_TRUE(HeldKeys(tracker).empty()) << code;
  }
  KeyTracker tracker;
  for (const char* code : {"ShiftLeft", "ShiftRight", "ArrowUp"}) tracker.Set(code, true);
  tracker.Set("ShiftLeft", false);
  EXPECT_EQ(HeldKeys(tracker), (std::vector<int>{VK_SHIFT, VK_UP}));
  tracker.ReleaseAll();
  EXPECT_TRUE(HeldKeys(tracker).empty());

  // The player's table decides: fire on Z alone leaves Space to the page; a key held as the table changes
  // does nothing until pressed again. Every key's name is one the kept controls are read back with, whatever its case.
  Bindings keyboard = DefaultControls().keyboard;
  ASSERT_EQ(BindForMenu(keyboard, static_cast<size_t>(GameAction::Fire), "Z"), "");
  EXPECT_EQ(BindForMenu(keyboard, static_cast<size_t>(GameAction::Bomb), "Z"), "Z taken by fire");
  KeyTracker bound(keyboard);
  EXPECT_FALSE(bound.Set("Space", true));
  EXPECT_TRUE(bound.Set("KeyZ", true));
  EXPECT_FALSE(bound.Set("KeyX", true));
  EXPECT_EQ(HeldKeys(bound), std::vector<int>{VK_SPACE});
  bound.SetBindings(DefaultControls().keyboard);
  bound.Set("Space", true);  // the browser's repeat
  EXPECT_TRUE(HeldKeys(bound).empty());
  bound.Set("Space", false);
  bound.Set("Space", true);
  EXPECT_EQ(HeldKeys(bound), std::vector<int>{VK_SPACE});
  bound.Set("ArrowUp", true);
  EXPECT_EQ(HeldKeys(bound), (std::vector<int>{VK_SPACE, VK_UP}));

  for (const char* code : {"KeyA", "Digit0", "Slash", "ShiftRight", "NumpadEnter", "ArrowUp", "F12", "Space"}) {
    const std::optional<std::string_view> name = platform::web::KeyName(code);
    ASSERT_TRUE(name) << code;
    std::string shouted(*name);
    for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(platform::web::KnownKeyName(shouted), std::string(*name)) << code;
  }
  EXPECT_FALSE(platform::web::KeyName("Fn"));
  EXPECT_FALSE(platform::web::KnownKeyName("KeyA"));  // a code, not a name
  EXPECT_TRUE(platform::web::IsMenuKey("Enter") && platform::web::IsMenuKey("F1") && !platform::web::IsMenuKey("KeyZ"));
  std::vector<std::string> warnings;
  const SettingsFile file = SettingsFile::Parse("[keyboard]\nfire = z\nbomb = left ctrl, Fn\n", "kept", warnings);
  const Controls kept = ReadControls(file, "kept", platform::web::WebControlNames(), warnings);
  EXPECT_EQ(kept.keyboard.names[static_cast<size_t>(GameAction::Fire)], std::vector<std::string>{"Z"});
  EXPECT_EQ(warnings, std::vector<std::string>{"kept:3: 'Fn' names no key; bomb keeps Left Shift, Right Shift"});
}

// A known layout moves by the stick or the d-pad, which beats it; every other button is its own bit in the
// layout's order (so south and west together neither fire nor start). Any other pad is a plain joystick.
TEST(WebGamepad, MapsPadsAsTheDesktopDoesByThePlayersTableAndAButtonHeldAsItChangesIsSilent) {
  using platform::web::PadReading;
  // The desktop's positions: a stick's -1..1 as signed 16 bits, moved to 0..65535.
  const auto position = [](double v) { return static_cast<uint32_t>(std::lround(v * 32767) + 32768); };
  const struct {
    const char* name;
    std::array<double, 4> axes;
    std::vector<int> pressed;
    uint32_t x, y, buttons;
    bool standard = true;
    int axisCount = 4, buttonCount = 17;
  } cases[] = {
      {"south fires", {-1, 1}, {0}, position(-1), 65535, 1},
      {"east bombs", {0.25, -0.5}, {1}, position(0.25), position(-0.5), 2},
      {"out of range, not a number", {-7, NAN}, {}, position(-1), 32768, 0},
      {"no axes", {1, 1}, {}, 32768, 32768, 0, true, 0},
      {"d-pad left and up, south", {1, 1}, {14, 12, 0}, 0, 0, 1},
      {"d-pad right and down", {-1, -1}, {15, 13}, 65535, 65535, 0},
      {"south and west", {}, {0, 2}, 32768, 32768, 5},
      {"north, shoulder, start, 16", {}, {3, 5, 9, 16}, 32768, 32768, 1u << 3 | 1u << 5 | 1u << 9 | 1u << 16},
      {"plain", {-1, 0.5, 1, 0}, {2, 12, 31}, position(-1), position(0.5), 1u << 2 | 1u << 12 | 1u << 31, false, 3, 32},
      {"plain, fewer axes and buttons", {-1, 0.5, 1, 0}, {2, 12, 31}, 32768, 32768, 1u << 2, false, 0, 3},
  };
  for (const auto& c : cases) {
    PadReading pad{c.standard, c.axisCount, c.buttonCount, c.axes, {}};
    for (int b : c.pressed) pad.pressed[static_cast<size_t>(b)] = true;
    const JoyReading got = platform::web::MapGamepad(pad);
    EXPECT_EQ(std::tuple(got.attached, got.x, got.y, got.buttons), std::tuple(true, c.x, c.y, c.buttons)) << c.name;
  }

  // The player's pad table on a known layout: fire on west, up on north, exit on back. West is fire's bit, south
  // moves past the layout's bits, north steers, the d-pad's up is nothing now, back is exit's key. A button held
  // as the table changes is silent until let go; each fresh press but Start names its button.
  Bindings pad = DefaultControls().gamepad;
  const std::pair<GameAction, const char*> binds[] = {
      {GameAction::Fire, "x"}, {GameAction::Up, "y"}, {GameAction::Exit, "back"}};
  for (const auto& [action, name] : binds) {
    ASSERT_EQ(BindForMenu(pad, static_cast<size_t>(action), name), "");
  }
  const auto reading = [](std::vector<int> pressed) {
    PadReading reading{true, 4, 17, {}, {}};
    for (int b : pressed) reading.pressed[static_cast<size_t>(b)] = true;
    return reading;
  };
  const JoyReading remapped = platform::web::MapGamepad(reading({0, 2, 3, 12}), pad);
  EXPECT_EQ(std::tuple(remapped.x, remapped.y, remapped.buttons), std::tuple(32768u, 0u, 1u | 1u << 30));
  EXPECT_EQ(platform::web::MapGamepad(reading({12}), pad).y, 32768u);

  platform::web::PadTracker tracker(pad);
  uint8_t keys[256] = {};
  EXPECT_EQ(tracker.Read(reading({8, 9}), keys).buttons, 1u << 9);
  EXPECT_EQ(keys[VK_ESCAPE], 0x80);
  EXPECT_EQ(tracker.TakeButtonName(), "back");  // not start, which asks for the menu once
  EXPECT_EQ(tracker.TakeButtonName(), "");
  EXPECT_TRUE(tracker.TakeMenuPress());
  tracker.Read(reading({9}), keys);
  EXPECT_FALSE(tracker.TakeMenuPress()) << "held";
  tracker.Read(reading({2}), keys);
  EXPECT_EQ(tracker.TakeButtonName(), "x");
  tracker.SetBindings(DefaultControls().gamepad);
  EXPECT_EQ(tracker.Read(reading({2, 1}), keys).buttons, 2u);  // east, pressed after the change, bombs
  EXPECT_EQ(tracker.TakeButtonName(), "b");
  tracker.Read(reading({}), keys);
  EXPECT_EQ(tracker.Read(reading({2}), keys).buttons, 1u << 2);
  tracker.SetBindings(pad);
  PadReading plain = reading({8});  // button 8 is back only on the known layout
  plain.standardLayout = false;
  uint8_t plainKeys[256] = {};
  tracker.Read(plain, plainKeys);
  EXPECT_EQ(plainKeys[VK_ESCAPE], 0);
}

// Sixty calls a second on any display: never two in one frame where frames come at least that often, at 60 Hz
// one in every frame despite jitter. Late frames are caught up; a stall (a hidden tab) is not replayed.
TEST(WebFrameClock, RunsSixtyCallsASecondAndDoesNotReplayAStall) {
  const std::pair<double, double> displays[] = {{60, 0},   {60, 3},  {59.94, 1}, {75, 1}, {120, 1},
                                                {144, 1}, {240, 0.5}, {50, 1},    {30, 2}};  // Hz, jitter in ms
  for (const auto& [hz, jitterMs] : displays) {
    platform::web::FrameClock clock;
    std::vector<int64_t> calls;  // in each of ten seconds of frames, early or late in a fixed pattern
    for (int i = 0; i < std::lround(10 * hz); ++i) {
      calls.push_back(clock.StepsAt(1000 + i * 1000 / hz + jitterMs * ((i * 7) % 5 - 2) / 2));
    }
    // 600 calls, give or take the one the last frame rounds to.
    EXPECT_NEAR(static_cast<double>(std::accumulate(calls.begin(), calls.end(), int64_t{0})), 600.0, 1.5) << hz;
    const auto [fewest, most] = std::minmax_element(calls.begin(), calls.end());
    EXPECT_TRUE(hz < 60 || *most <= 1) << hz << " Hz: " << *most << " calls in a frame";
    EXPECT_TRUE(hz != 60 || *fewest == 1) << jitterMs << " ms jitter: " << *fewest << " calls in a frame";
  }
  platform::web::FrameClock clock;
  std::vector<int64_t> steps;  // on time, three frames late, after a stall, on time, a clock gone back
  for (double ms : {500.0, 550.0, 5550.0, 5550 + 1000.0 / 60, 100.0}) steps.push_back(clock.StepsAt(ms));
  EXPECT_EQ(steps, (std::vector<int64_t>{1, 3, 1, 1, 1}));
}

// As msgfmt reads a catalogue: strings over several lines and C's escapes; the header, fuzzy and untranslated
// entries and comments left out. Anything else is refused at its line.
TEST(WebCatalogue, ReadsWhatMsgfmtReadsNamesTheLineOfAnythingElseAndSaysWhatGettextSays) {
  std::string error;
  const std::optional<platform::web::Catalogue> read = platform::web::Catalogue::Parse(
      "# comment\nmsgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
      "msgid \"\"\n\"two \"\n  \"lines\"\nmsgstr \"zwei \\\"Zeilen\\\"\\n\\tund\\\\\"\n\n"
      "#, c-format, fuzzy\nmsgid \"guess\"\nmsgstr \"Vermutung\"\n\n"
      "msgid \"untranslated\"\nmsgstr \"\"\n#~ msgid \"old\"\nmsgid \"last\"\r\nmsgstr \"\"\n\"letzte\"", "xx.po",
      error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->Size(), 2u);
  EXPECT_STREQ(read->Translate("two lines"), "zwei \"Zeilen\"\n\tund\\");
  EXPECT_STREQ(read->Translate("last"), "letzte");
  for (const char* kept : {"guess", "untranslated", "old", ""}) EXPECT_STREQ(read->Translate(kept), kept);

  const std::pair<const char*, const char*> refused[] = {
      {"msgstr \"x\"", "xx.po:1: a msgstr without its msgid"},
      {"msgid \"a\"\n\nmsgid \"b\"\nmsgstr \"c\"", "xx.po:1: a msgid without its msgstr"},
      {"msgid \"a\"\nmsgstr \"b\"\nmsgid \"c\"", "xx.po:3: a msgid without its msgstr"},
      {"msgid \"a\"\nmsgstr \"b\\q\"", "xx.po:2: unknown escape \\q"},
      {"msgid \"a\nmsgstr \"b\"", "xx.po:1: a string in double quotes expected"},
      {"msgid \"a\"b\"\nmsgstr \"c\"", "xx.po:1: a double quote inside a string must be written \\\""},
      {"\"a\"", "xx.po:1: a string continued, but no msgid or msgstr before it"},
      {"msgid \"a\"\nmsgid_plural \"as\"", "xx.po:2: 'msgid_plural' is not read here (msgid and msgstr only)"},
      {"msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"a\"\nmsgstr \"c\"", "xx.po:4: this msgid was given before"},
  };
  for (const auto& [text, why] : refused) {
    error.clear();
    EXPECT_FALSE(platform::web::Catalogue::Parse(text, "xx.po", error)) << text;
    EXPECT_EQ(error, why) << text;
  }

  // The shipped catalogues read here as msgfmt compiled them for gettext.
  const std::string folder = FindLocaleFolder();
  ASSERT_FALSE(folder.empty());
  const platform::sdl::GettextTranslator gettext("en", folder);
  for (const char* language : {"en", "ja"}) {
    const std::string path = std::string(KESTROVA_SOURCE_DIR) + "/po/" + language + ".po";
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    const std::optional<platform::web::Catalogue> shipped =
        platform::web::Catalogue::Parse(std::string(std::istreambuf_iterator<char>(in), {}), path, error);
    ASSERT_TRUE(shipped) << error;
    if (std::string(language) != "en") continue;  // gettext speaks one language a process
    EXPECT_STREQ(shipped->Translate(kSettingsForm.caption), gettext.Translate(kSettingsForm.caption));
    for (const DialogControl& c : kSettingsForm.controls) {
      EXPECT_STREQ(shipped->Translate(c.caption), gettext.Translate(c.caption)) << c.caption;
    }
  }
}

// The address first (a language it names that we have not is passed over, and said), then the menu's choice,
// then the browser's first language we have; none: the texts as they stand.
TEST(WebLanguage, TheAddressThenTheMenusChoiceThenTheBrowsers) {
  struct Case {
    platform::web::PageLanguageFacts facts;
    const char* chosen;
    bool warned = false;
  };
  const Case cases[] = {
      {{std::nullopt, "", {}}, ""},
      {{std::nullopt, "", {"fr-FR", "de"}}, ""},
      {{std::nullopt, "", {"fr-FR", "ja-JP", "en-US"}}, "ja"},
      {{std::nullopt, "", {"EN-gb"}}, "en"},
      {{std::nullopt, "", {"english", "jav"}}, ""},
      {{std::nullopt, "ja", {"en-US"}}, "ja"},
      {{std::nullopt, "JA-jp", {"en-US"}}, "en"},  // never a choice the menu makes
      {{"en", "ja", {"ja"}}, "en"},
      {{"ja-JP", "", {"en"}}, "ja"},
      {{"fr", "ja", {"en"}}, "ja", true},
      {{"", "", {"en"}}, "en", true},
  };
  for (const Case& c : cases) {
    std::string warning = "stale";
    EXPECT_EQ(platform::web::ChoosePageLanguage(c.facts, warning), c.chosen) << c.facts.address.value_or("-");
    EXPECT_EQ(!warning.empty(), c.warned) << warning;
  }
  std::string warning;
  platform::web::ChoosePageLanguage({"x\ny", "", {}}, warning);
  EXPECT_EQ(warning, "?lang=x\\x0Ay names no language the page has (en or ja)");
}

}  // namespace
