// The browser backend's parts that need no browser: the key and gamepad
// mapping, and the 60 Hz frame clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <numeric>
#include <tuple>
#include <utility>
#include <vector>

#include "input/keyboard.hpp"
#include "platform/web/frame_clock.hpp"
#include "platform/web/input_map.hpp"

namespace {

using platform::web::FrameClock;
using platform::web::KeyTracker;
using platform::web::PadReading;

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

// Keys that are not the game's stay the page's: they hold nothing.
TEST(WebKeys, EachBrowserKeyHoldsItsVirtualKey) {
  const std::pair<const char*, int> cases[] = {
      {"Space", VK_SPACE},    {"ShiftLeft", VK_SHIFT}, {"ShiftRight", VK_SHIFT},  {"Escape", VK_ESCAPE},
      {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP},      {"ArrowRight", VK_RIGHT}, {"ArrowDown", VK_DOWN},
      {"KeyA", 0},            {"Enter", 0},            {"", 0},                  {"space", 0},
      {"Shift", 0},
  };
  for (const auto& [code, vk] : cases) {
    KeyTracker tracker;
    EXPECT_EQ(tracker.Set(code, true), vk != 0) << code;
    EXPECT_EQ(HeldKeys(tracker), vk != 0 ? std::vector<int>{vk} : std::vector<int>{}) << code;
    EXPECT_EQ(tracker.Set(code, false), vk != 0) << code;
    EXPECT_TRUE(HeldKeys(tracker).empty()) << code;
  }
  // Shift stays held while either shift key is.
  KeyTracker tracker;
  for (const char* code : {"ShiftLeft", "ShiftRight", "ArrowUp"}) tracker.Set(code, true);
  tracker.Set("ShiftLeft", false);
  EXPECT_EQ(HeldKeys(tracker), (std::vector<int>{VK_SHIFT, VK_UP}));
  tracker.ReleaseAll();
  EXPECT_TRUE(HeldKeys(tracker).empty());
}

auto Fields(const JoyReading& info) { return std::tuple(info.attached, info.x, info.y, info.buttons); }

// The desktop's positions: a stick's -1..1 as signed 16 bits, moved to 0..65535.
uint32_t Position(double v) { return static_cast<uint32_t>(std::lround(v * 32767) + 32768); }

// A standard pad (4 axes, 17 buttons) unless told otherwise.
PadReading Pad(std::array<double, 4> axes, std::vector<int> pressed, bool standard = true, int axisCount = 4,
               int buttonCount = 17) {
  PadReading pad{standard, axisCount, buttonCount, axes, {}};
  for (int b : pressed) pad.pressed[static_cast<size_t>(b)] = true;
  return pad;
}

// A known layout moves by the stick or the d-pad and each other button is its
// own bit; any other pad is a plain joystick, axis i and button i as they come.
TEST(WebGamepad, MapsPadsAsTheDesktopDoes) {
  struct Case {
    const char* name;
    PadReading pad;
    JoyReading expected;
  };
  const Case cases[] = {
      {"at rest", Pad({}, {}), {true, 32768, 32768, 0}},
      {"stick left and down", Pad({-1, 1}, {}), {true, Position(-1), 65535, 0}},
      {"stick part way", Pad({0.25, -0.5}, {}), {true, Position(0.25), Position(-0.5), 0}},
      {"beyond the range, not a number", Pad({-7, NAN}, {}), {true, Position(-1), 32768, 0}},
      {"no axes", Pad({1, 1}, {}, true, 0), {true, 32768, 32768, 0}},
      {"d-pad left beats the stick", Pad({1, 0}, {14}), {true, 0, 32768, 0}},
      {"d-pad right and up", Pad({}, {15, 12}), {true, 65535, 0, 0}},
      {"d-pad down", Pad({0, -1}, {13}), {true, 32768, 65535, 0}},
      {"south fires", Pad({}, {0}), {true, 32768, 32768, 1}},
      {"east bombs", Pad({}, {1}), {true, 32768, 32768, 2}},
      {"both", Pad({}, {0, 1}), {true, 32768, 32768, 3}},
      // The other buttons in the layout's order, so south and west together neither fire nor start.
      {"south and west", Pad({}, {0, 2}), {true, 32768, 32768, 5}},
      {"north", Pad({}, {3}), {true, 32768, 32768, 8}},
      {"start", Pad({}, {9}), {true, 32768, 32768, 1u << 9}},
      {"shoulder and the button past the d-pad", Pad({}, {5, 16}), {true, 32768, 32768, (1u << 5) | (1u << 16)}},
      {"d-pad with south fires", Pad({1, 0}, {14, 0}), {true, 0, 32768, 1}},
      {"plain: no d-pad", Pad({-1, 0.5, 1, 0}, {2, 12, 31}, false, 3, 32),
       {true, Position(-1), Position(0.5), (1u << 2) | (1u << 12) | (1u << 31)}},
      // Missing axes rest in the middle; buttons past the count are not read.
      {"plain: missing axes and buttons", Pad({-1, 0.5, 1, 0}, {2, 12, 31}, false, 0, 3), {true, 32768, 32768, 1u << 2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(platform::web::MapGamepad(c.pad)), Fields(c.expected)) << c.name;
  }
}

// Sixty calls a second on any display; never two in one frame where frames
// come at least that often, and at 60 Hz one in every frame despite jitter.
TEST(WebFrameClock, RunsSixtyCallsASecondOnAnyDisplay) {
  const std::pair<double, double> displays[] = {{60, 0},   {60, 3},  {59.94, 1}, {75, 1}, {120, 1},
                                                {144, 1}, {240, 0.5}, {50, 1},    {30, 2}};  // Hz, jitter in ms
  for (const auto& [hz, jitterMs] : displays) {
    FrameClock clock;
    std::vector<int64_t> calls;  // in each of ten seconds of frames, early or late in a fixed pattern
    for (int i = 0; i < std::lround(10 * hz); ++i) {
      calls.push_back(clock.StepsAt(1000 + i * 1000 / hz + jitterMs * ((i * 7) % 5 - 2) / 2));
    }
    // 600 calls, give or take the one the last frame rounds to.
    EXPECT_NEAR(static_cast<double>(std::accumulate(calls.begin(), calls.end(), int64_t{0})), 600.0, 1.5) << hz;
    const auto [fewest, most] = std::minmax_element(calls.begin(), calls.end());
    if (hz >= 60) {
      EXPECT_LE(*most, 1) << hz;
    }
    if (hz == 60) {
      EXPECT_EQ(*fewest, 1) << jitterMs;
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
