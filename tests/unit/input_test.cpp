// The player's input: the joystick's reading, and the scripts of held keys
// that drive a game.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "app/input_script.hpp"
#include "input/joystick.hpp"
#include "input/keyboard.hpp"

namespace {

constexpr uint32_t kCentre = 32768;

// Directions past the limits pulled in by 8192 (unsigned: limits narrower
// than that wrap, and a side goes out of reach); buttons by the whole word; a
// reading without a device lets go of everything until one comes back; a
// stick never opened is never looked at.
TEST(Joystick, ThresholdsButtonWordsUnpluggingAndNeverOpened) {
  const JoyCaps full = JoystickThresholds(JoyCaps{0, 65535, 0, 65535});
  EXPECT_TRUE(full.xMin == 8192 && full.xMax == 57343 && full.yMin == 8192 && full.yMax == 57343);
  const JoyCaps narrow = JoystickThresholds(JoyCaps{0, 100, 0, 100});
  EXPECT_EQ(narrow.xMax, 100u - 8192u);
  const struct {
    std::optional<JoyCaps> caps;
    JoyReading reading;
    int32_t polled;
    bool right, left, down, up, fire, bomb, start;
  } cases[] = {
      {full, {true, 57343, kCentre, 0}, 1, true, false, false, false, false, false, false},
      {full, {true, 57342, kCentre, 0}, 1, false, false, false, false, false, false, false},
      {full, {true, 8192, kCentre, 0}, 1, false, true, false, false, false, false, false},
      {full, {true, 8193, kCentre, 0}, 1, false, false, false, false, false, false, false},
      {full, {true, kCentre, 57343, 0}, 1, false, false, true, false, false, false, false},
      {full, {true, kCentre, 8192, 0}, 1, false, false, false, true, false, false, false},
      {full, {true, 65535, 0, 0}, 1, true, false, false, true, false, false, false},
      {full, {true, kCentre, kCentre, 1}, 1, false, false, false, false, true, false, true},
      {full, {true, kCentre, kCentre, 2}, 1, false, false, false, false, false, true, false},
      {full, {true, kCentre, kCentre, 3}, 1, false, false, false, false, true, true, false},
      {full, {true, kCentre, kCentre, 4}, 1, false, false, false, false, false, false, false},
      {full, {true, kCentre, kCentre, 5}, 1, false, false, false, false, false, false, false},
      {full, {false, 65535, 65535, 3}, 0, false, false, false, false, false, false, false},  // unplugged
      {full, {true, 0, kCentre, 0}, 1, false, true, false, false, false, false, false},      // back
      {narrow, {true, 65535, 0, 0}, 1, false, false, false, true, false, false, false},  // right out of reach
      {narrow, {true, 0, 0, 0}, 1, false, true, false, true, false, false, false},
      {std::nullopt, {true, 0, 0, 3}, 0, false, false, false, false, false, false, false},
  };
  CJoystick stick;
  stick.InitJoystick(&full);
  for (const auto& c : cases) {
    const JoyCaps* thresholds = c.caps ? &*c.caps : nullptr;
    if (thresholds == nullptr) stick.InitJoystick(nullptr);
    const JoyReading& r = c.reading;
    EXPECT_EQ(stick.PollJoystick(r, thresholds), c.polled) << r.x << "," << r.y;
    EXPECT_EQ(stick.m_bAvailable, c.polled) << r.x << "," << r.y;
    EXPECT_EQ(std::tuple(stick.Right(), stick.Left(), stick.Down(), stick.Up(), stick.Fire(), stick.Bomb(),
                         stick.StartButton()),
              std::tuple(c.right, c.left, c.down, c.up, c.fire, c.bomb, c.start))
        << r.x << "," << r.y << " buttons " << r.buttons;
  }
}

TEST(InputScript, RunsCommentsKeyLookupAndErrorsNamingTheLine) {
  InputScript script;
  std::string error;
  ASSERT_TRUE(ParseInputScript("# warm up\n3 none\n\n2 space+left\r\n  1   escape  \n", "s.txt", script, error)) << error;
  EXPECT_EQ(script.Length(), 6);
  const std::vector<std::vector<uint8_t>> expected = {
      {}, {}, {}, {VK_SPACE, VK_LEFT}, {VK_SPACE, VK_LEFT}, {VK_ESCAPE}, {}, {}};
  for (size_t call = 1; call <= expected.size(); ++call) {
    const InputRun* run = script.RunAt(static_cast<int64_t>(call));
    EXPECT_EQ(run != nullptr ? run->keys : std::vector<uint8_t>{}, expected[call - 1]) << "call " << call;
  }
  ASSERT_TRUE(ParseInputScript("999999999999 none\n", "s.txt", script, error)) << "twelve digits: " << error;
  EXPECT_EQ(script.Length(), 999999999999);
  EXPECT_EQ(KeyNames({VK_SHIFT, VK_RIGHT, VK_UP}), "right+up+shift");
  EXPECT_EQ(KeyNames({}), "none");

  const struct {
    const char* text;
    const char* where;
  } cases[] = {
      {"1 none\nx space\n", "f:2:"},  {"1 jump\n", "f:1:"},       {"1 space+\n", "f:1:"},
      {"-4 none\n", "f:1:"},          {"#\n\n5\n", "f:3:"},        {"1 space++left\n", "f:1:"},
      {"99999999999999999 none\n", "f:1:"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ParseInputScript(c.text, "f", script, error)) << c.text;
    EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
  }
}

}  // namespace
