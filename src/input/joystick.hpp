// The first joystick, polled once per frame. How far the stick must go is
// settled when it opens at start-up; what it reads comes with each frame's
// input, and whether it answered is part of the play state.
#pragma once

#include <cstdint>

// The device's limits, in the units of the classic joystick API (axes
// 0..65535); pulled inward they become the thresholds.
struct JoyCaps {
  uint32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// One poll: the position and buttons (bit i = button i + 1), or none at all.
struct JoyReading {
  bool attached = false;
  uint32_t x = 0, y = 0, buttons = 0;
  friend bool operator==(const JoyReading&, const JoyReading&) = default;
};

// The limits pulled inward by 8192: how far the stick must go to count as pushed.
JoyCaps JoystickThresholds(JoyCaps limits);

class CJoystick {
 public:
  // The stick opened at start-up has these thresholds; null: none opened,
  // and then it is never available.
  void InitJoystick(const JoyCaps* thresholds) { m_bAvailable = thresholds != nullptr ? 1 : 0; }
  // This frame's reading. A reading without a device (unplugged) lets go of
  // the stick and buttons and makes it unavailable; a later one resumes it.
  int32_t PollJoystick(const JoyReading& reading, const JoyCaps* thresholds);

  bool Right() const { return m_bAvailable && m_right; }
  bool Left() const { return m_bAvailable && m_left; }
  bool Down() const { return m_bAvailable && m_down; }
  bool Up() const { return m_bAvailable && m_up; }
  bool Fire() const { return m_bAvailable && (m_buttons == 1 || m_buttons == 3); }
  bool Bomb() const { return m_bAvailable && (m_buttons == 2 || m_buttons == 3); }
  bool StartButton() const { return m_bAvailable && m_buttons == 1; }

  int32_t m_bAvailable = 0;
  // The last poll against the thresholds; polled afresh before every use.
  bool m_right = false, m_left = false, m_down = false, m_up = false;
  uint32_t m_buttons = 0;
};
