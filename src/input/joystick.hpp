// The first joystick, polled once per frame. Its state is part of the play
// state; the platform that reads the device is passed in.
#pragma once

#include <cstdint>

#include "platform/platform.hpp"

class CJoystick {
 public:
  // Opens the device; its limits pulled inward by 8192 become the thresholds.
  int32_t InitJoystick(platform::Platform& platform);
  // A failed poll (device unplugged) clears the position and buttons and
  // makes the joystick unavailable; a later successful poll resumes it.
  int32_t PollJoystick(platform::Platform& platform);

  bool Right() const { return m_bAvailable && m_joyInfo.x >= m_joyCaps.xMax; }
  bool Left() const { return m_bAvailable && m_joyInfo.x <= m_joyCaps.xMin; }
  bool Down() const { return m_bAvailable && m_joyInfo.y >= m_joyCaps.yMax; }
  bool Up() const { return m_bAvailable && m_joyInfo.y <= m_joyCaps.yMin; }
  bool Fire() const { return m_bAvailable && (m_joyInfo.buttons == 1 || m_joyInfo.buttons == 3); }
  bool Bomb() const { return m_bAvailable && (m_joyInfo.buttons == 2 || m_joyInfo.buttons == 3); }
  bool StartButton() const { return m_bAvailable && m_joyInfo.buttons == 1; }

  platform::JoyInfo m_joyInfo{};
  platform::JoyCaps m_joyCaps{};
  int32_t m_bAvailable = 0;
  bool m_opened = false;  // chosen and opened once; may come and go with the device
};
