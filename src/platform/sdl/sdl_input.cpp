#include "platform/sdl/sdl_input.hpp"

#include <algorithm>
#include <iterator>

#include "input/keyboard.hpp"

namespace platform::sdl {
namespace {

struct KeyBinding {
  uint8_t vk;
  SDL_Scancode scancode;
};

// Either shift key is VK_SHIFT.
constexpr KeyBinding kKeyBindings[] = {
    {VK_SPACE, SDL_SCANCODE_SPACE}, {VK_SHIFT, SDL_SCANCODE_LSHIFT}, {VK_SHIFT, SDL_SCANCODE_RSHIFT},
    {VK_ESCAPE, SDL_SCANCODE_ESCAPE}, {VK_LEFT, SDL_SCANCODE_LEFT},   {VK_UP, SDL_SCANCODE_UP},
    {VK_RIGHT, SDL_SCANCODE_RIGHT},   {VK_DOWN, SDL_SCANCODE_DOWN},
};

constexpr uint8_t kKeyDown = 0x80;
constexpr uint32_t kAxisMax = 65535;
constexpr uint32_t kAxisCentre = 32768;  // SDL's -32768..32767 onto 0..65535

uint32_t AxisPosition(Sint16 value) { return static_cast<uint32_t>(value + int32_t{kAxisCentre}); }

// A pad's d-pad pushes its axis to the end.
uint32_t PadAxis(SDL_GameController* pad, SDL_GameControllerAxis axis, SDL_GameControllerButton toMin,
                 SDL_GameControllerButton toMax) {
  if (SDL_GameControllerGetButton(pad, toMin)) return 0;
  if (SDL_GameControllerGetButton(pad, toMax)) return kAxisMax;
  return AxisPosition(SDL_GameControllerGetAxis(pad, axis));
}

}  // namespace

void MapKeyboardState(std::span<const Uint8> scancodes, uint8_t (&keys)[256]) {
  std::fill(std::begin(keys), std::end(keys), uint8_t{0});
  for (const KeyBinding& binding : kKeyBindings) {
    const auto index = static_cast<size_t>(binding.scancode);
    if (index < scancodes.size() && scancodes[index] != 0) keys[binding.vk] = kKeyDown;
  }
}

bool SdlJoystick::Open(JoyCaps& caps) {
  if (!m_subsystem) m_subsystem.emplace(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
  if (!m_subsystem->Ok() || !OpenFirstDevice()) return false;
  caps = JoyCaps{0, kAxisMax, 0, kAxisMax};
  return true;
}

bool SdlJoystick::OpenFirstDevice() {
  m_controller.reset();
  m_joystick.reset();
  if (SDL_NumJoysticks() < 1) return false;
  if (SDL_IsGameController(0)) {
    m_controller.reset(SDL_GameControllerOpen(0));
  } else {
    m_joystick.reset(SDL_JoystickOpen(0));
  }
  return m_controller || m_joystick;
}

JoyReading SdlJoystick::Poll() {
  JoyReading info;
  if (!m_subsystem || !m_subsystem->Ok()) return info;
  SDL_GameControllerUpdate();  // also updates plain joysticks
  const bool attached = m_controller ? SDL_GameControllerGetAttached(m_controller.get()) == SDL_TRUE
                                     : m_joystick && SDL_JoystickGetAttached(m_joystick.get()) == SDL_TRUE;
  if (!attached && !OpenFirstDevice()) return info;
  info.attached = true;
  if (m_controller) {
    ReadController(info);
  } else {
    ReadJoystick(info);
  }
  return info;
}

void SdlJoystick::ReadJoystick(JoyReading& info) const {
  SDL_Joystick* joystick = m_joystick.get();
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
}

void SdlJoystick::ReadController(JoyReading& info) const {
  SDL_GameController* pad = m_controller.get();
  info.x = PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  info.y = PadAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  // Every button is its own bit, south 1 and east 2, so that the rules that
  // look at the whole word treat a pad as they treat a plain joystick. The
  // d-pad already steers; a bit of its own would stop fire while steering.
  static_assert(SDL_CONTROLLER_BUTTON_MAX <= 32, "one bit per button");
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
    if (b >= SDL_CONTROLLER_BUTTON_DPAD_UP && b <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT) continue;
    if (SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(b))) info.buttons |= 1u << b;
  }
}

}  // namespace platform::sdl
