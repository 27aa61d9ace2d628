#include "platform/web/input_map.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "input/keyboard.hpp"

namespace platform::web {
namespace {

struct KeyBinding {
  std::string_view code;
  uint8_t vk;
};

// Either shift key is VK_SHIFT.
constexpr KeyBinding kKeyBindings[] = {
    {"Space", VK_SPACE},    {"ShiftLeft", VK_SHIFT}, {"ShiftRight", VK_SHIFT},  {"Escape", VK_ESCAPE},
    {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP},      {"ArrowRight", VK_RIGHT}, {"ArrowDown", VK_DOWN},
};
static_assert(std::size(kKeyBindings) == 8, "one KeyTracker slot per binding");

constexpr uint8_t kKeyDown = 0x80;
constexpr uint32_t kAxisCentre = 32768;
constexpr double kAxisScale = 32767;  // a desktop stick's signed 16-bit range

// The standard layout's d-pad, four buttons in a row.
constexpr int kDpadUp = 12;
constexpr int kDpadDown = 13;
constexpr int kDpadLeft = 14;
constexpr int kDpadRight = 15;

uint32_t AxisPosition(double value) {
  const double clamped = std::isnan(value) ? 0 : std::clamp(value, -1.0, 1.0);
  return static_cast<uint32_t>(std::lround(clamped * kAxisScale) + int32_t{kAxisCentre});
}

// The d-pad pushes its axis to the end.
uint32_t PadAxis(const PadReading& pad, int axis, int toMin, int toMax) {
  if (pad.pressed[toMin]) return 0;
  if (pad.pressed[toMax]) return kPadAxisMax;
  return axis < pad.axisCount ? AxisPosition(pad.axes[static_cast<size_t>(axis)]) : kAxisCentre;
}

}  // namespace

bool KeyTracker::Set(std::string_view code, bool down) {
  bool known = false;
  for (size_t i = 0; i < std::size(kKeyBindings); ++i) {
    if (kKeyBindings[i].code != code) continue;
    m_down[i] = down;
    known = true;
  }
  return known;
}

void KeyTracker::Fill(uint8_t (&keys)[256]) const {
  std::fill(std::begin(keys), std::end(keys), uint8_t{0});
  for (size_t i = 0; i < std::size(kKeyBindings); ++i) {
    if (m_down[i]) keys[kKeyBindings[i].vk] = kKeyDown;
  }
}

JoyReading MapGamepad(const PadReading& pad) {
  JoyReading info{true};
  if (pad.standardLayout) {
    info.x = PadAxis(pad, 0, kDpadLeft, kDpadRight);
    info.y = PadAxis(pad, 1, kDpadUp, kDpadDown);
  } else {
    // A missing x or y axis rests in the middle.
    uint32_t* positions[2] = {&info.x, &info.y};
    for (int i = 0; i < 2; ++i) {
      *positions[i] = i < pad.axisCount ? AxisPosition(pad.axes[static_cast<size_t>(i)]) : kAxisCentre;
    }
  }
  // Every button is its own bit, on a known layout too (south 1, east 2), so
  // the rules that look at the whole word hold on a pad. The d-pad already
  // steers; a bit of its own would stop fire while steering.
  const int buttons = std::min(pad.buttonCount, kPadButtons);
  for (int i = 0; i < buttons; ++i) {
    if (pad.standardLayout && i >= kDpadUp && i <= kDpadRight) continue;
    if (pad.pressed[static_cast<size_t>(i)]) info.buttons |= 1u << i;
  }
  return info;
}

}  // namespace platform::web
