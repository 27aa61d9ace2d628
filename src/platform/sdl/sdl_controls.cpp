#include "platform/sdl/sdl_controls.hpp"

#include <algorithm>
#include <iterator>

namespace platform::sdl {
namespace {

constexpr uint32_t kAxisMax = 65535;
constexpr uint32_t kAxisCentre = 32768;  // SDL's -32768..32767 onto 0..65535
constexpr uint32_t kFireBit = 1u << 0;
constexpr uint32_t kBombBit = 1u << 1;
// A button whose own bit is fire's or bomb's, when it is neither, moves
// past every button's own bit.
static_assert(SDL_CONTROLLER_BUTTON_MAX + 2 <= 32, "one bit per button");

constexpr bool IsDpad(int button) {
  return button >= SDL_CONTROLLER_BUTTON_DPAD_UP && button <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
}

uint32_t AxisPosition(Sint16 value) { return static_cast<uint32_t>(value + int32_t{kAxisCentre}); }

}  // namespace

std::optional<std::string> SdlKeyName(std::string_view name) {
  const SDL_Keycode key = SDL_GetKeyFromName(std::string(name).c_str());
  if (key == SDLK_UNKNOWN) return std::nullopt;
  return std::string(SDL_GetKeyName(key));
}

std::optional<std::string> SdlButtonName(std::string_view name) {
  const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(std::string(name).c_str());
  if (button == SDL_CONTROLLER_BUTTON_INVALID) return std::nullopt;
  return std::string(SDL_GameControllerGetStringForButton(button));
}

KeyMap::KeyMap(const Bindings& keyboard) {
  for (size_t action = 0; action < kGameActions; ++action) {
    for (const std::string& name : keyboard.names[action]) m_keys[action].push_back(SDL_GetKeyFromName(name.c_str()));
  }
}

void KeyMap::Fill(std::span<const Uint8> scancodes, uint8_t (&keys)[256]) const {
  std::fill(std::begin(keys), std::end(keys), uint8_t{0});
  for (size_t action = 0; action < kGameActions; ++action) {
    for (const SDL_Keycode key : m_keys[action]) {
      // Looked up afresh each time: the player may switch layouts while playing.
      const auto index = static_cast<size_t>(SDL_GetScancodeFromKey(key));
      if (index != SDL_SCANCODE_UNKNOWN && index < scancodes.size() && scancodes[index] != 0) {
        keys[kGameActionKeys[action]] = kKeyDown;
      }
    }
  }
}

PadMap::PadMap(const Bindings& gamepad) {
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
    const auto button = static_cast<SDL_GameControllerButton>(b);
    const std::optional<GameAction> action = gamepad.ActionOf(SDL_GameControllerGetStringForButton(button));
    if (action) m_buttons[static_cast<size_t>(*action)].push_back(button);
    if (action == GameAction::Fire) {
      m_bits[b] = kFireBit;
    } else if (action == GameAction::Bomb) {
      m_bits[b] = kBombBit;
    } else if (!action && !IsDpad(b)) {
      // The d-pad never had bits: one would stop fire while steering.
      const uint32_t own = 1u << b;
      m_bits[b] = (own & (kFireBit | kBombBit)) != 0 ? 1u << (SDL_CONTROLLER_BUTTON_MAX + b) : own;
    }
  }
}

bool PadMap::Held(SDL_GameController* pad, GameAction action) const {
  const std::vector<SDL_GameControllerButton>& buttons = m_buttons[static_cast<size_t>(action)];
  return std::any_of(buttons.begin(), buttons.end(),
                     [pad](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(pad, b) != 0; });
}

JoyReading PadMap::Read(SDL_GameController* pad) const {
  JoyReading info;
  info.attached = true;
  // A direction's button pushes its axis to the end, over the stick.
  const auto axis = [&](SDL_GameControllerAxis stick, GameAction toMin, GameAction toMax) {
    if (Held(pad, toMin)) return uint32_t{0};
    if (Held(pad, toMax)) return kAxisMax;
    return AxisPosition(SDL_GameControllerGetAxis(pad, stick));
  };
  info.x = axis(SDL_CONTROLLER_AXIS_LEFTX, GameAction::Left, GameAction::Right);
  info.y = axis(SDL_CONTROLLER_AXIS_LEFTY, GameAction::Up, GameAction::Down);
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
    if (SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(b))) info.buttons |= m_bits[b];
  }
  return info;
}

JoyReading ReadPlainJoystick(SDL_Joystick* joystick) {
  JoyReading info;
  info.attached = true;
  const int axes = SDL_JoystickNumAxes(joystick);
  // A missing axis rests in the middle.
  uint32_t* positions[] = {&info.x, &info.y};
  for (int i = 0; i < 2; ++i) {
    *positions[i] = i < axes ? AxisPosition(SDL_JoystickGetAxis(joystick, i)) : kAxisCentre;
  }
  const int buttons = std::min(SDL_JoystickNumButtons(joystick), 32);
  for (int i = 0; i < buttons; ++i) {
    if (SDL_JoystickGetButton(joystick, i)) info.buttons |= 1u << i;
  }
  return info;
}

}  // namespace platform::sdl
