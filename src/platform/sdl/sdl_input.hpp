// Keyboard state in virtual-key codes, and the first joystick or gamepad in
// the units of the classic joystick API.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <span>

#include "platform/platform.hpp"
#include "platform/sdl/sdl_handles.hpp"

namespace platform::sdl {

// Fills `keys` from SDL's scancode state: 0x80 for each polled key that is
// down, 0 everywhere else.
void MapKeyboardState(std::span<const Uint8> scancodes, uint8_t (&keys)[256]);

class SdlJoystick {
 public:
  // Opens the first device; false when there is none.
  bool Open(JoyCaps& caps);
  // Unattached once the device is gone; a device attached later is opened in its place.
  JoyReading Poll();

 private:
  bool OpenFirstDevice();
  void ReadJoystick(JoyReading& info) const;
  void ReadController(JoyReading& info) const;

  std::optional<Subsystem> m_subsystem;
  JoystickPtr m_joystick;
  ControllerPtr m_controller;  // set instead of m_joystick for a pad SDL knows
};

}  // namespace platform::sdl
