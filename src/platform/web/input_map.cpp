#include "platform/web/input_map.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>

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
constexpr int kDpadUp = 12;
constexpr int kDpadDown = 13;
constexpr int kDpadLeft = 14;
constexpr int kDpadRight = 15;

uint32_t AxisPosition(double value) {
  const double clamped = std::isnan(value) ? 0 : std::clamp(value, -1.0, 1.0);
  return static_cast<uint32_t>(std::lround(clamped * kAxisScale) + int32_t{kAxisCentre});
}

// The d-pad pushes its axis to the end.
uint32_t PadAxis(const PadReading& pad, int axis, int toMin, int toMax) {
  if (pad.pressed[toMin]) return 0;
  if (pad.pressed[toMax]) return kPadAxisMax;
  return axis < pad.axisCount ? AxisPosition(pad.axes[static_cast<size_t>(axis)]) : kAxisCentre;
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

JoyReading MapGamepad(const PadReading& pad) {
  JoyReading info{true};
  if (pad.standardLayout) {
    info.x = PadAxis(pad, 0, kDpadLeft, kDpadRight);
    info.y = PadAxis(pad, 1, kDpadUp, kDpadDown);
  } else {
    // A missing x or y axis rests in the middle.
    uint32_t* positions[2] = {&info.x, &info.y};
    for (int i = 0; i < 2; ++i) {
      *positions[i] = i < pad.axisCount ? AxisPosition(pad.axes[static_cast<size_t>(i)]) : kAxisCentre;
    }
  }
  // Every button is its own bit, on a known layout too (south 1, east 2), so
  // the rules that look at the whole word hold on a pad. The d-pad already
  // steers; a bit of its own would stop fire while steering.
  const int buttons = std::min(pad.buttonCount, kPadButtons);
  for (int i = 0; i < buttons; ++i) {
    if (pad.standardLayout && i >= kDpadUp && i <= kDpadRight) continue;
    if (pad.pressed[static_cast<size_t>(i)]) info.buttons |= 1u << i;
  }
  return info;
}

}  // namespace platform::web
