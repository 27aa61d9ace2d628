#include "input/joystick.hpp"

namespace {

// How far inside each limit the stick must go to count as pushed.
constexpr uint32_t kDeadZone = 8192;

}  // namespace

int32_t CJoystick::InitJoystick(platform::Platform& platform) {
  platform::JoyCaps caps{};
  if (!platform.GetJoystickCaps(caps)) {
    m_opened = false;
    m_bAvailable = 0;
    return 0;
  }
  caps.xMin += kDeadZone;
  caps.xMax -= kDeadZone;
  caps.yMin += kDeadZone;
  caps.yMax -= kDeadZone;
  m_joyCaps = caps;
  m_opened = true;
  m_bAvailable = 1;
  return 1;
}

int32_t CJoystick::PollJoystick(platform::Platform& platform) {
  if (!m_opened) return 0;
  platform::JoyInfo info{};
  if (!platform.PollJoystick(info)) {
    // Unplugged: a stick held at that moment must not steer for ever.
    m_joyInfo = platform::JoyInfo{};
    m_bAvailable = 0;
    return 0;
  }
  m_joyInfo = info;
  m_bAvailable = 1;
  return 1;
}
