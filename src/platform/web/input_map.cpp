#include "platform/web/input_map.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <utility>

namespace platform::web {
namespace {

struct KeyNaming {
  std::string_view code;  // KeyboardEvent.code
  std::string_view name;  // SDL_GetKeyName's, for the key a US layout has there
};

constexpr KeyNaming kKeyNames[] = {
    {"KeyA", "A"}, {"KeyB", "B"}, {"KeyC", "C"}, {"KeyD", "D"}, {"KeyE", "E"}, {"KeyF", "F"}, {"KeyG", "G"},
    {"KeyH", "H"}, {"KeyI", "I"}, {"KeyJ", "J"}, {"KeyK", "K"}, {"KeyL", "L"}, {"KeyM", "M"}, {"KeyN", "N"},
    {"KeyO", "O"}, {"KeyP", "P"}, {"KeyQ", "Q"}, {"KeyR", "R"}, {"KeyS", "S"}, {"KeyT", "T"}, {"KeyU", "U"},
    {"KeyV", "V"}, {"KeyW", "W"}, {"KeyX", "X"}, {"KeyY", "Y"}, {"KeyZ", "Z"},
    {"Digit0", "0"}, {"Digit1", "1"}, {"Digit2", "2"}, {"Digit3", "3"}, {"Digit4", "4"}, {"Digit5", "5"},
    {"Digit6", "6"}, {"Digit7", "7"}, {"Digit8", "8"}, {"Digit9", "9"},
    {"Minus", "-"}, {"Equal", "="}, {"BracketLeft", "["}, {"BracketRight", "]"}, {"Backslash", "\\"},
    {"Semicolon", ";"}, {"Quote", "'"}, {"Backquote", "`"}, {"Comma", ","}, {"Period", "."}, {"Slash", "/"},
    {"Space", "Space"}, {"Enter", "Return"}, {"Escape", "Escape"}, {"Backspace", "Backspace"}, {"Tab", "Tab"},
    {"CapsLock", "CapsLock"}, {"ShiftLeft", "Left Shift"}, {"ShiftRight", "Right Shift"},
    {"ControlLeft", "Left Ctrl"}, {"ControlRight", "Right Ctrl"}, {"AltLeft", "Left Alt"}, {"AltRight", "Right Alt"},
    {"MetaLeft", "Left GUI"}, {"MetaRight", "Right GUI"}, {"ContextMenu", "Application"},
    {"ArrowUp", "Up"}, {"ArrowDown", "Down"}, {"ArrowLeft", "Left"}, {"ArrowRight", "Right"},
    {"Insert", "Insert"}, {"Delete", "Delete"}, {"Home", "Home"}, {"End", "End"}, {"PageUp", "PageUp"},
    {"PageDown", "PageDown"}, {"PrintScreen", "PrintScreen"}, {"ScrollLock", "ScrollLock"}, {"Pause", "Pause"},
    {"NumLock", "Numlock"}, {"NumpadDivide", "Keypad /"}, {"NumpadMultiply", "Keypad *"},
    {"NumpadSubtract", "Keypad -"}, {"NumpadAdd", "Keypad +"}, {"NumpadEnter", "Keypad Enter"},
    {"NumpadDecimal", "Keypad ."}, {"Numpad0", "Keypad 0"}, {"Numpad1", "Keypad 1"}, {"Numpad2", "Keypad 2"},
    {"Numpad3", "Keypad 3"}, {"Numpad4", "Keypad 4"}, {"Numpad5", "Keypad 5"}, {"Numpad6", "Keypad 6"},
    {"Numpad7", "Keypad 7"}, {"Numpad8", "Keypad 8"}, {"Numpad9", "Keypad 9"},
    {"F1", "F1"}, {"F2", "F2"}, {"F3", "F3"}, {"F4", "F4"}, {"F5", "F5"}, {"F6", "F6"}, {"F7", "F7"},
    {"F8", "F8"}, {"F9", "F9"}, {"F10", "F10"}, {"F11", "F11"}, {"F12", "F12"},
};

// SDL_GameControllerGetStringForButton's names.
constexpr std::string_view kButtonNames[] = {"a",          "b",           "x",            "y",
                                             "back",       "guide",       "start",        "leftstick",
                                             "rightstick", "leftshoulder", "rightshoulder", "dpup",
                                             "dpdown",     "dpleft",      "dpright",      "misc1",
                                             "paddle1",    "paddle2",     "paddle3",      "paddle4",
                                             "touchpad"};

constexpr std::string_view kMenuKeys[] = {"Enter", "NumpadEnter", "F1", "F11"};

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

constexpr uint8_t kKeyDown = 0x80;
constexpr uint32_t kAxisCentre = 32768;
constexpr double kAxisScale = 32767;  // a desktop stick's signed 16-bit range

// The standard layout's d-pad, four buttons in a row.
constexpr int kDpadFirst = 12;
constexpr int kDpadLast = 15;

// The standard layout's buttons in its order, by SDL's names.
constexpr std::string_view kStandardButtons[] = {
    "a",         "b",          "x",    "y",      "leftshoulder", "rightshoulder", "", "", "back", "start",
    "leftstick", "rightstick", "dpup", "dpdown", "dpleft",       "dpright",       "guide"};
constexpr uint32_t kFireBit = 1u << 0;
constexpr uint32_t kBombBit = 1u << 1;

std::optional<GameAction> ButtonAction(const Bindings& gamepad, int index) {
  const std::optional<std::string_view> name = StandardButtonName(index);
  return name ? gamepad.ActionOf(*name) : std::nullopt;
}

uint32_t AxisPosition(double value) {
  const double clamped = std::isnan(value) ? 0 : std::clamp(value, -1.0, 1.0);
  return static_cast<uint32_t>(std::lround(clamped * kAxisScale) + int32_t{kAxisCentre});
}

}  // namespace

std::optional<std::string_view> KeyName(std::string_view code) {
  for (const KeyNaming& key : kKeyNames) {
    if (key.code == code) return key.name;
  }
  return std::nullopt;
}

std::optional<std::string> KnownKeyName(std::string_view name) {
  for (const KeyNaming& key : kKeyNames) {
    if (SameLetters(key.name, name)) return std::string(key.name);
  }
  return std::nullopt;
}

std::optional<std::string> KnownButtonName(std::string_view name) {
  for (const std::string_view button : kButtonNames) {
    if (SameLetters(button, name)) return std::string(button);
  }
  return std::nullopt;
}

bool IsMenuKey(std::string_view code) {
  return std::find(std::begin(kMenuKeys), std::end(kMenuKeys), code) != std::end(kMenuKeys);
}

void KeyTracker::SetBindings(const Bindings& keyboard) {
  m_bindings = keyboard;
  for (HeldKey& key : m_held) key.silent = true;
}

bool KeyTracker::Set(std::string_view code, bool down) {
  const std::optional<std::string_view> name = KeyName(code);
  if (!name) return false;
  const auto held = std::find_if(m_held.begin(), m_held.end(), [&](const HeldKey& key) { return key.name == *name; });
  if (down && held == m_held.end()) m_held.push_back({*name, false});
  if (!down && held != m_held.end()) m_held.erase(held);
  return m_bindings.ActionOf(*name).has_value();
}

void KeyTracker::Fill(uint8_t (&keys)[256]) const {
  std::fill(std::begin(keys), std::end(keys), uint8_t{0});
  for (const HeldKey& key : m_held) {
    const std::optional<GameAction> action = m_bindings.ActionOf(key.name);
    if (action && !key.silent) keys[kGameActionKeys[static_cast<size_t>(*action)]] = kKeyDown;
  }
}

std::optional<std::string_view> StandardButtonName(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kStandardButtons)) || kStandardButtons[index].empty()) {
    return std::nullopt;
  }
  return kStandardButtons[index];
}

bool PadHeld(const PadReading& pad, const Bindings& gamepad, GameAction action) {
  if (!pad.standardLayout) return false;
  for (int i = 0; i < std::min(pad.buttonCount, kPadButtons); ++i) {
    if (pad.pressed[static_cast<size_t>(i)] && ButtonAction(gamepad, i) == action) return true;
  }
  return false;
}

void PadTracker::SetBindings(const Bindings& gamepad) {
  m_bindings = gamepad;
  m_silent = m_before;
}

JoyReading PadTracker::Read(PadReading pad, uint8_t (&keys)[256]) {
  uint32_t down = 0;
  for (int i = 0; pad.standardLayout && i < std::min(pad.buttonCount, kPadButtons); ++i) {
    if (pad.pressed[static_cast<size_t>(i)]) down |= 1u << i;
  }
  for (int i = 0; i < kPadButtons; ++i) {
    const std::optional<std::string_view> name = StandardButtonName(i);
    if ((down & ~m_before & 1u << i) != 0 && name) {
      if (*name == "start") m_menuPressed = true;
      else m_pressed = *name;
    }
    if ((m_silent & 1u << i) != 0) pad.pressed[static_cast<size_t>(i)] = false;
  }
  m_before = down;
  m_silent &= down;
  if (PadHeld(pad, m_bindings, GameAction::Exit)) {
    keys[kGameActionKeys[static_cast<size_t>(GameAction::Exit)]] = kKeyDown;
  }
  return MapGamepad(pad, m_bindings);
}

std::string PadTracker::TakeButtonName() {
  std::string name;
  name.swap(m_pressed);
  return name;
}

bool PadTracker::TakeMenuPress() { return std::exchange(m_menuPressed, false); }

JoyReading MapGamepad(const PadReading& pad, const Bindings& gamepad) {
  JoyReading info{true};
  const int buttons = std::min(pad.buttonCount, kPadButtons);
  if (!pad.standardLayout) {
    // A missing x or y axis rests in the middle.
    uint32_t* positions[2] = {&info.x, &info.y};
    for (int i = 0; i < 2; ++i) {
      *positions[i] = i < pad.axisCount ? AxisPosition(pad.axes[static_cast<size_t>(i)]) : kAxisCentre;
    }
    for (int i = 0; i < buttons; ++i) {
      if (pad.pressed[static_cast<size_t>(i)]) info.buttons |= 1u << i;
    }
    return info;
  }
  // A direction's button pushes its axis to the end, over the stick.
  const auto axis = [&](int stick, GameAction toMin, GameAction toMax) {
    if (PadHeld(pad, gamepad, toMin)) return uint32_t{0};
    if (PadHeld(pad, gamepad, toMax)) return kPadAxisMax;
    return stick < pad.axisCount ? AxisPosition(pad.axes[static_cast<size_t>(stick)]) : kAxisCentre;
  };
  info.x = axis(0, GameAction::Left, GameAction::Right);
  info.y = axis(1, GameAction::Up, GameAction::Down);
  // Every other button is its own bit, so the rules that look at the whole
  // word hold on a pad. The d-pad never had bits: one would stop fire while steering.
  for (int i = 0; i < buttons; ++i) {
    if (!pad.pressed[static_cast<size_t>(i)]) continue;
    const std::optional<GameAction> action = ButtonAction(gamepad, i);
    if (action == GameAction::Fire) {
      info.buttons |= kFireBit;
    } else if (action == GameAction::Bomb) {
      info.buttons |= kBombBit;
    } else if (!action && (i < kDpadFirst || i > kDpadLast)) {
      const uint32_t own = 1u << i;
      info.buttons |= (own & (kFireBit | kBombBit)) != 0 ? 1u << (kPadButtons - 2 + i) : own;
    }
  }
  return info;
}

}  // namespace platform::web
