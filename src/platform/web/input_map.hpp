// The browser's keys and gamepads in the desktop's terms: the same 256-byte
// key state and the same joystick words, so the game cannot tell them apart.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "input/joystick.hpp"

namespace platform::web {

inline constexpr int kPadAxes = 4;
inline constexpr int kPadButtons = 32;
// The top of every axis MapGamepad reports; the joystick caps claim the same.
inline constexpr uint32_t kPadAxisMax = 65535;

// Which of the game's keys are down, by KeyboardEvent.code.
class KeyTracker {
 public:
  // False when `code` is none of the game's keys (the page keeps its own
  // meaning for those).
  bool Set(std::string_view code, bool down);
  void ReleaseAll() { m_down.fill(false); }
  // 0x80 for every virtual key held, by either of its physical keys.
  void Fill(uint8_t (&keys)[256]) const;

 private:
  std::array<bool, 8> m_down{};  // one per binding
};

// One Gamepad API sample of a connected pad.
struct PadReading {
  bool standardLayout = false;  // mapping "standard": the browser knows the buttons
  int axisCount = 0;
  int buttonCount = 0;
  std::array<double, kPadAxes> axes{};  // -1..1
  std::array<bool, kPadButtons> pressed{};
};

// Axes 0..kPadAxisMax and button bits as a desktop pad gives them: on a known
// layout the left stick or the d-pad moves and every other button is bit i in
// the layout's order, south and east buttons 1 and 2; any other pad is a plain
// joystick, axis i and button i as they come.
JoyReading MapGamepad(const PadReading& pad);

}  // namespace platform::web
