// The browser's keys and gamepads in the desktop's terms: the same 256-byte
// key state through the player's table, keys by the desktop's names, and the
// same joystick words, so the game cannot tell them apart.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/controls.hpp"
#include "input/joystick.hpp"

namespace platform::web {

inline constexpr int kPadAxes = 4;
inline constexpr int kPadButtons = 32;
// The top of every axis MapGamepad reports; the joystick caps claim the same.
inline constexpr uint32_t kPadAxisMax = 65535;

// The desktop's name for the key at KeyboardEvent.code, as SDL names the key
// a US layout prints there ("KeyZ": "Z", "ShiftLeft": "Left Shift"); none for
// a key the game has no name for.
std::optional<std::string_view> KeyName(std::string_view code);
// A key's name as KeyName spells it, whatever its case; none for a name no
// key has. The check the kept controls are read with.
std::optional<std::string> KnownKeyName(std::string_view name);
// A pad button's name as the desktop (SDL) spells it.
std::optional<std::string> KnownButtonName(std::string_view name);
inline ControlNames WebControlNames() { return {KnownKeyName, KnownButtonName}; }
// Keys that are the page's and the menu's own, never an answer to "press the
// key for FIRE": Return and F1 open the menu, F11 is the browser's.
bool IsMenuKey(std::string_view code);

// Which of the game's keys are down, by the player's keyboard table. A key
// goes by where it sits, not by what the layout prints on it as on the
// desktop: a browser tells the printed character only with the modifiers
// applied, so a key let go under Shift would never be released.
class KeyTracker {
 public:
  explicit KeyTracker(const Bindings& keyboard = DefaultControls().keyboard) : m_bindings(keyboard) {}
  // The keys held meanwhile do nothing until let go: the key that answered
  // "press the key for FIRE" must not, still down, be a fresh press of fire.
  void SetBindings(const Bindings& keyboard);
  // False when the key at `code` is none of an action's (the page keeps its
  // own meaning for those).
  bool Set(std::string_view code, bool down);
  void ReleaseAll() { m_held.clear(); }
  // 0x80 for the game key of every action one of whose keys is held.
  void Fill(uint8_t (&keys)[256]) const;

 private:
  struct HeldKey {
    std::string_view name;
    bool silent;  // held as the table changed
  };
  Bindings m_bindings;
  std::vector<HeldKey> m_held;  // the keys down, bound or not: a new table may bind them
};

// One Gamepad API sample of a connected pad.
struct PadReading {
  bool standardLayout = false;  // mapping "standard": the browser knows the buttons
  int axisCount = 0;
  int buttonCount = 0;
  std::array<double, kPadAxes> axes{};  // -1..1
  std::array<bool, kPadButtons> pressed{};
};

// A known layout's button `index` by the desktop's (SDL's) name; none for
// the triggers, which SDL reads as axes, and past the layout's buttons.
std::optional<std::string_view> StandardButtonName(int index);

// Axes 0..kPadAxisMax and button bits as a desktop pad gives them through the
// player's pad table: on a known layout the left stick moves, as do the
// buttons of the four directions; fire's buttons are bit 1, bomb's bit 2, and
// every other button bit i in the layout's order (one whose own bit is fire's
// or bomb's past the rest), but the d-pad's and those of directions and exit.
// Any other pad is a plain joystick, axis i and button i as they come.
JoyReading MapGamepad(const PadReading& pad, const Bindings& gamepad = DefaultControls().gamepad);
// Whether one of `action`'s buttons is down on a known layout.
bool PadHeld(const PadReading& pad, const Bindings& gamepad, GameAction action);

// The first connected pad through the player's pad table, reading after
// reading, as KeyTracker the keys.
class PadTracker {
 public:
  explicit PadTracker(const Bindings& gamepad = DefaultControls().gamepad) : m_bindings(gamepad) {}
  // The buttons held meanwhile do nothing until let go.
  void SetBindings(const Bindings& gamepad);
  // MapGamepad's word for one reading, with exit's game key set in `keys`
  // while one of its buttons is down.
  JoyReading Read(PadReading pad, uint8_t (&keys)[256]);
  // The known layout's button last pressed since the last call, by its
  // desktop name ("" for none), but Start, the menu's on the desktop.
  std::string TakeButtonName();
  // Whether Start was pressed since the last call: the menu's, as on the desktop.
  bool TakeMenuPress();

 private:
  Bindings m_bindings;
  uint32_t m_before = 0;  // the known layout's buttons down at the last reading, bit i for button i
  uint32_t m_silent = 0;  // those held as the table changed
  std::string m_pressed;
  bool m_menuPressed = false;
};

}  // namespace platform::web
