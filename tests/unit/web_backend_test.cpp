// The browser backend's parts that need no browser: the key and gamepad
// mapping, and the 60 Hz frame clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "input/keyboard.hpp"
#include "platform/web/frame_clock.hpp"
#include "platform/web/input_map.hpp"

namespace {

using platform::JoyInfo;
using platform::web::FrameClock;
using platform::web::KeyTracker;
using platform::web::MapGamepad;
using platform::web::PadReading;

// --- keys ---------------------------------------------------------------------

std::vector<int> HeldKeys(const KeyTracker& tracker) {
  uint8_t keys[256];
  std::fill(std::begin(keys), std::end(keys), uint8_t{0x55});  // Fill must clear what it does not set
  tracker.Fill(keys);
  std::vector<int> held;
  for (int vk = 0; vk < 256; ++vk) {
    EXPECT_TRUE(keys[vk] == 0 || keys[vk] == 0x80) << vk;
    if (keys[vk] != 0) held.push_back(vk);
  }
  return held;
}

TEST(WebKeys, EachBrowserKeyHoldsItsVirtualKey) {
  const std::pair<const char*, int> cases[] = {
      {"Space", VK_SPACE},    {"ShiftLeft", VK_SHIFT}, {"ShiftRight", VK_SHIFT},  {"Escape", VK_ESCAPE},
      {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP},      {"ArrowRight", VK_RIGHT}, {"ArrowDown", VK_DOWN},
  };
  for (const auto& [code, vk] : cases) {
    KeyTracker tracker;
    EXPECT_TRUE(tracker.Set(code, true)) << code;
    EXPECT_EQ(HeldKeys(tracker), std::vector<int>{vk}) << code;
    EXPECT_TRUE(tracker.Set(code, false)) << code;
    EXPECT_TRUE(HeldKeys(tracker).empty()) << code;
  }
}

TEST(WebKeys, OtherKeysAreLeftToThePage) {
  KeyTracker tracker;
  for (const char* code : {"KeyA", "Enter", "Tab", "ControlLeft", "", "space", "Shift"}) {
    EXPECT_FALSE(tracker.Set(code, true)) << code;
  }
  EXPECT_TRUE(HeldKeys(tracker).empty());
}

TEST(WebKeys, ShiftStaysHeldWhileEitherShiftKeyIs) {
  KeyTracker tracker;
  tracker.Set("ShiftLeft", true);
  tracker.Set("ShiftRight", true);
  tracker.Set("ShiftLeft", false);
  EXPECT_EQ(HeldKeys(tracker), std::vector<int>{VK_SHIFT});
  tracker.Set("ArrowUp", true);
  tracker.ReleaseAll();
  EXPECT_TRUE(HeldKeys(tracker).empty());
}

// --- gamepads -----------------------------------------------------------------

PadReading StandardPad() {
  PadReading pad;
  pad.standardLayout = true;
  pad.axisCount = 4;
  pad.buttonCount = 17;
  return pad;
}

// The desktop's positions: a stick's -1..1 as signed 16 bits, moved to 0..65535.
uint32_t Position(double v) { return static_cast<uint32_t>(std::lround(v * 32767) + 32768); }

TEST(WebGamepad, StandardLayoutMovesByStickOrDpadAndFiresWithSouthAndEast) {
  struct Case {
    const char* name;
    std::vector<int> pressed;
    double stickX, stickY;
    JoyInfo expected;
  };
  const Case cases[] = {
      {"at rest", {}, 0, 0, {32768, 32768, 0, 0}},
      {"stick left and down", {}, -1, 1, {Position(-1), 65535, 0, 0}},
      {"stick part way", {}, 0.25, -0.5, {Position(0.25), Position(-0.5), 0, 0}},
      {"d-pad left beats the stick", {14}, 1, 0, {0, 32768, 0, 0}},
      {"d-pad right and up", {15, 12}, 0, 0, {65535, 0, 0, 0}},
      {"d-pad down", {13}, 0, -1, {32768, 65535, 0, 0}},
      {"south fires", {0}, 0, 0, {32768, 32768, 0, 1}},
      {"east bombs", {1}, 0, 0, {32768, 32768, 0, 2}},
      {"both", {0, 1}, 0, 0, {32768, 32768, 0, 3}},
      {"other buttons do nothing", {2, 3, 9}, 0, 0, {32768, 32768, 0, 0}},
  };
  for (const Case& c : cases) {
    PadReading pad = StandardPad();
    for (int b : c.pressed) pad.pressed[static_cast<size_t>(b)] = true;
    pad.axes[0] = c.stickX;
    pad.axes[1] = c.stickY;
    const JoyInfo info = MapGamepad(pad);
    EXPECT_EQ(info.x, c.expected.x) << c.name;
    EXPECT_EQ(info.y, c.expected.y) << c.name;
    EXPECT_EQ(info.z, c.expected.z) << c.name;
    EXPECT_EQ(info.buttons, c.expected.buttons) << c.name;
  }
}

TEST(WebGamepad, OtherPadsArePlainJoysticks) {
  PadReading pad;
  pad.axisCount = 3;
  pad.buttonCount = 32;
  pad.axes = {-1, 0.5, 1, 0};
  pad.pressed[2] = pad.pressed[12] = pad.pressed[31] = true;  // no d-pad meaning here
  JoyInfo info = MapGamepad(pad);
  EXPECT_EQ(info.x, Position(-1));
  EXPECT_EQ(info.y, Position(0.5));
  EXPECT_EQ(info.z, 65535u);
  EXPECT_EQ(info.buttons, (1u << 2) | (1u << 12) | (1u << 31));

  // Missing axes rest: x and y in the middle, z at 0; buttons past the count are not read.
  pad.axisCount = 0;
  pad.buttonCount = 3;
  info = MapGamepad(pad);
  EXPECT_EQ(info.x, 32768u);
  EXPECT_EQ(info.y, 32768u);
  EXPECT_EQ(info.z, 0u);
  EXPECT_EQ(info.buttons, 1u << 2);
}

TEST(WebGamepad, ValuesOutsideTheRangeAreClamped) {
  PadReading pad = StandardPad();
  pad.axes[0] = -7;
  pad.axes[1] = NAN;
  const JoyInfo info = MapGamepad(pad);
  EXPECT_EQ(info.x, Position(-1));
  EXPECT_EQ(info.y, 32768u);
}

// --- frame clock ----------------------------------------------------------------

// Idle calls over `seconds` of animation frames every `periodMs`, each early
// or late by up to `jitterMs` in a fixed pattern.
int64_t CallsOver(double periodMs, double seconds, double jitterMs, std::vector<int64_t>* perFrame = nullptr) {
  FrameClock clock;
  int64_t total = 0;
  const int frames = static_cast<int>(std::lround(seconds * 1000 / periodMs));
  for (int i = 0; i < frames; ++i) {
    const double late = jitterMs * ((i * 7) % 5 - 2) / 2;
    const int64_t steps = clock.StepsAt(1000.0 + i * periodMs + late);
    if (perFrame != nullptr) perFrame->push_back(steps);
    total += steps;
  }
  return total;
}

TEST(WebFrameClock, RunsSixtyCallsASecondOnAnyDisplay) {
  struct Case {
    double hz;
    double jitterMs;
  };
  for (const Case& c : {Case{60, 0}, Case{60, 3}, Case{59.94, 1}, Case{75, 1}, Case{120, 1}, Case{144, 1},
                        Case{240, 0.5}, Case{50, 1}, Case{30, 2}}) {
    // Ten seconds: 600 calls, give or take the one the last frame rounds to.
    EXPECT_NEAR(static_cast<double>(CallsOver(1000 / c.hz, 10, c.jitterMs)), 600.0, 1.5)
        << c.hz << " Hz";
  }
}

// At 60 Hz every frame runs one call despite jitter; a faster display never runs two in one frame.
TEST(WebFrameClock, NeverTwoCallsInOneFrame) {
  for (const double hz : {60.0, 144.0}) {
    std::vector<int64_t> perFrame;
    CallsOver(1000.0 / hz, 2, hz == 60 ? 3 : 0.5, &perFrame);
    for (size_t i = 0; i < perFrame.size(); ++i) {
      EXPECT_LE(perFrame[i], 1) << hz << " Hz, frame " << i;
      if (hz == 60) {
        EXPECT_EQ(perFrame[i], 1) << "frame " << i;
      }
    }
  }
}

TEST(WebFrameClock, CatchesUpBrieflyButDoesNotReplayAStall) {
  FrameClock clock;
  EXPECT_EQ(clock.StepsAt(500), 1);
  EXPECT_EQ(clock.StepsAt(500 + 50), 3);  // three frames late: caught up
  EXPECT_EQ(clock.StepsAt(500 + 50 + 5000), 1);  // a hidden tab: a new schedule
  EXPECT_EQ(clock.StepsAt(500 + 50 + 5000 + 1000.0 / 60), 1);
  EXPECT_EQ(clock.StepsAt(100), 1);  // a clock that went back starts over too
}

}  // namespace
