// The player's controls in SDL's terms: key and button names checked and
// spelt as SDL spells them, and the keys, sticks and buttons held turned into
// the game's own keys and joystick words, in the classic joystick API's units
// (axes 0..65535).
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/controls.hpp"
#include "input/joystick.hpp"

namespace platform::sdl {

inline constexpr uint8_t kKeyDown = 0x80;  // a game key held

// As SDL_GetKeyName and SDL_GameControllerGetStringForButton write the name
// (SDL reads either in any case); none for one SDL does not know.
std::optional<std::string> SdlKeyName(std::string_view name);
std::optional<std::string> SdlButtonName(std::string_view name);
inline ControlNames SdlControlNames() { return {SdlKeyName, SdlButtonName}; }

// The keyboard's table by keycode: a key goes by what the player's layout
// prints on it, wherever the layout puts it.
class KeyMap {
 public:
  explicit KeyMap(const Bindings& keyboard);
  // 0x80 in `keys` for each game key whose action has a key down in SDL's
  // scancode state, 0 everywhere else.
  void Fill(std::span<const Uint8> scancodes, uint8_t (&keys)[256]) const;

 private:
  std::array<std::vector<SDL_Keycode>, kGameActions> m_keys;
};

// A game controller read as the game reads a joystick: the left stick moves,
// as do the buttons of the four directions; fire's button is the word's
// button 1 and bomb's button 2; every other button has a bit of its own, so that
// the rules that look at the whole word (two buttons at once neither fire nor
// start) hold, except those of directions and exit, which are no button to
// the game. With the default table this is the word pads always gave.
class PadMap {
 public:
  explicit PadMap(const Bindings& gamepad);
  JoyReading Read(SDL_GameController* pad) const;
  bool Held(SDL_GameController* pad, GameAction action) const;

 private:
  std::array<std::vector<SDL_GameControllerButton>, kGameActions> m_buttons;
  std::array<uint32_t, SDL_CONTROLLER_BUTTON_MAX> m_bits{};  // each button's bit in the word; 0: none
};

// A joystick SDL has no controller mapping for, axes and buttons as they
// come: axis 0 and 1, button i bit i.
JoyReading ReadPlainJoystick(SDL_Joystick* joystick);

}  // namespace platform::sdl
