// Keyboard state in the game's keys, and the joysticks and pads plugged in,
// read in the units of the classic joystick API.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "app/controls.hpp"
#include "platform/platform.hpp"
#include "platform/sdl/sdl_controls.hpp"
#include "platform/sdl/sdl_handles.hpp"

namespace platform::sdl {

// Every joystick and pad plugged in, at start-up or later, and the one the
// game reads: the first that a button is pressed on, for as long as it stays
// plugged in; until then, the first plugged in.
class SdlJoystick {
 public:
  // `mappings`: the player's own game controller mappings, in SDL's format,
  // added to SDL's database when the file is there.
  SdlJoystick(const Bindings& gamepad, std::string mappings) : m_map(gamepad), m_mappings(std::move(mappings)) {}
  // Starts SDL's joysticks and pads, with or without one plugged in; the
  // limits every one of them reads in. False when SDL cannot.
  bool Open(JoyCaps& caps);
  // The one in use; unattached while there is none.
  JoyReading Poll();
  // The player's buttons from now on.
  void SetBindings(const Bindings& gamepad) { m_map = PadMap(gamepad); }
  // The one in use held `action`'s button at the last poll.
  bool Held(GameAction action) const;
  // The pad's Start button, which opens the game's menu.
  bool StartHeld() const;

 private:
  struct Device {
    SDL_JoystickID id = -1;
    JoystickPtr joystick;
    ControllerPtr controller;  // set instead of the joystick for a pad SDL knows
  };
  void AddPlayerMappings() const;
  // Lets go of the devices unplugged, and opens those plugged in since.
  void FollowDevices();
  bool AnyButton(const Device& device) const;

  PadMap m_map;
  std::string m_mappings;
  std::optional<Subsystem> m_subsystem;
  std::vector<Device> m_devices;  // in the order they came
  const Device* m_reading = nullptr;  // the one read at the last poll
  std::optional<SDL_JoystickID> m_chosen;
};

}  // namespace platform::sdl
