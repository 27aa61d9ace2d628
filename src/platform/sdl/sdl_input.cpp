#include "platform/sdl/sdl_input.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace platform::sdl {
namespace {

constexpr uint32_t kAxisMax = 65535;
constexpr std::string_view kPlatformField = "platform:";

bool Attached(const JoystickPtr& joystick, const ControllerPtr& controller) {
  return controller ? SDL_GameControllerGetAttached(controller.get()) == SDL_TRUE
                    : SDL_JoystickGetAttached(joystick.get()) == SDL_TRUE;
}

// As SDL's own loader: a line for another system is left to that system.
bool ForThisSystem(std::string_view line) {
  const size_t field = line.find(kPlatformField);
  if (field == std::string_view::npos) return true;
  const std::string_view platform = line.substr(field + kPlatformField.size());
  return platform.substr(0, platform.find(',')) == SDL_GetPlatform();
}

}  // namespace

bool SdlJoystick::Open(JoyCaps& caps) {
  if (!m_subsystem) {
    m_subsystem.emplace(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    if (m_subsystem->Ok()) AddPlayerMappings();
  }
  if (!m_subsystem->Ok()) return false;
  FollowDevices();
  caps = JoyCaps{0, kAxisMax, 0, kAxisMax};
  return true;
}

// Line by line, so that a wrong one is named.
void SdlJoystick::AddPlayerMappings() const {
  std::ifstream in(m_mappings);
  if (!in) {
    if (errno != ENOENT) std::fprintf(stderr, "kestrova: warning: %s: %s\n", m_mappings.c_str(), std::strerror(errno));
    return;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#' || !ForThisSystem(line)) continue;
    if (SDL_GameControllerAddMapping(line.c_str()) < 0) {
      std::fprintf(stderr, "kestrova: warning: %s:%d: %s\n", m_mappings.c_str(), number, SDL_GetError());
    }
  }
}

void SdlJoystick::FollowDevices() {
  m_reading = nullptr;
  const auto gone = std::remove_if(m_devices.begin(), m_devices.end(),
                                   [](const Device& d) { return !Attached(d.joystick, d.controller); });
  if (m_chosen && std::any_of(gone, m_devices.end(), [&](const Device& d) { return d.id == *m_chosen; })) {
    m_chosen.reset();
  }
  m_devices.erase(gone, m_devices.end());
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    if (std::any_of(m_devices.begin(), m_devices.end(), [&](const Device& d) { return d.id == id; })) continue;
    Device device{id, nullptr, nullptr};
    if (SDL_IsGameController(index)) {
      device.controller.reset(SDL_GameControllerOpen(index));
    } else {
      device.joystick.reset(SDL_JoystickOpen(index));
    }
    if (device.controller || device.joystick) m_devices.push_back(std::move(device));
  }
}

bool SdlJoystick::AnyButton(const Device& device) const {
  if (!device.controller) return ReadPlainJoystick(device.joystick.get()).buttons != 0;
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
    if (SDL_GameControllerGetButton(device.controller.get(), static_cast<SDL_GameControllerButton>(b))) return true;
  }
  return false;
}

JoyReading SdlJoystick::Poll() {
  if (!m_subsystem || !m_subsystem->Ok()) return {};
  SDL_GameControllerUpdate();  // also updates plain joysticks, and finds those plugged in
  FollowDevices();
  if (m_devices.empty()) return {};
  if (!m_chosen) {
    const auto pressed = std::find_if(m_devices.begin(), m_devices.end(), [&](const Device& d) { return AnyButton(d); });
    if (pressed != m_devices.end()) m_chosen = pressed->id;
  }
  const auto chosen = std::find_if(m_devices.begin(), m_devices.end(), [&](const Device& d) { return d.id == m_chosen; });
  m_reading = chosen != m_devices.end() ? &*chosen : &m_devices.front();
  return m_reading->controller ? m_map.Read(m_reading->controller.get()) : ReadPlainJoystick(m_reading->joystick.get());
}

bool SdlJoystick::StartHeld() const {
  return m_reading != nullptr && m_reading->controller &&
         SDL_GameControllerGetButton(m_reading->controller.get(), SDL_CONTROLLER_BUTTON_START) != 0;
}

bool SdlJoystick::Held(GameAction action) const {
  return m_reading != nullptr && m_reading->controller && m_map.Held(m_reading->controller.get(), action);
}

}  // namespace platform::sdl
