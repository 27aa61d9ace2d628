#include "input/joystick.hpp"

namespace {

// How far inside each limit the stick must go to count as pushed.
constexpr uint32_t kDeadZone = 8192;

}  // namespace

JoyCaps JoystickThresholds(JoyCaps caps) {
  caps.xMin += kDeadZone;
  caps.xMax -= kDeadZone;
  caps.yMin += kDeadZone;
  caps.yMax -= kDeadZone;
  return caps;
}

int32_t CJoystick::PollJoystick(const JoyReading& reading, const JoyCaps* thresholds) {
  if (thresholds == nullptr) return 0;
  if (!reading.attached) {
    // Unplugged: a stick held at that moment must not steer for ever.
    *this = CJoystick{};
    return 0;
  }
  m_right = reading.x >= thresholds->xMax;
  m_left = reading.x <= thresholds->xMin;
  m_down = reading.y >= thresholds->yMax;
  m_up = reading.y <= thresholds->yMin;
  m_buttons = reading.buttons;
  m_bAvailable = 1;
  return 1;
}
