#include "app/scripted_platform.hpp"

#include <algorithm>
#include <iterator>

#include "app/game_app.hpp"
#include "app/state_report.hpp"

void ScriptedPlatform::Restart(InputScript script) {
  m_script = std::move(script);
  m_call = 0;
  m_run = nullptr;
}

void ScriptedPlatform::BeginCall(platform::WindowHandler& handler) {
  m_run = m_script.RunAt(++m_call);
  if (m_run != nullptr && m_run->click) handler.OnLButtonDown();
}

void ScriptedPlatform::StepGame(CGameApp& game) {
  BeginCall(*game.m_pFrame);
  m_screen = ScreenName(game.m_play.m_state);
  game.OnIdle();
}

std::string ScriptedPlatform::LastLine(const CGameApp& game) const {
  return FrameLine(m_call, m_screen, m_page, game.m_play);
}

void ScriptedPlatform::PostClose() {
  m_closePosted = true;
  m_inner.PostClose();
}

void ScriptedPlatform::GetKeyboardState(uint8_t (&keys)[256]) {
  std::fill(std::begin(keys), std::end(keys), uint8_t{0});
  if (m_run == nullptr) return;
  for (const uint8_t vk : m_run->keys) keys[vk] = 0x80;
}

bool ScriptedPlatform::GetJoystickCaps(platform::JoyCaps& caps) {
  if (!m_script.joystick) return m_liveJoystick && m_inner.GetJoystickCaps(caps);
  caps = *m_script.joystick;
  return true;
}

bool ScriptedPlatform::PollJoystick(platform::JoyInfo& info) {
  if (!m_script.joystick) return m_liveJoystick && m_inner.PollJoystick(info);
  // Past the script's end the stick is gone.
  if (m_run == nullptr || !m_run->stick || !m_run->stick->attached) return false;
  info = platform::JoyInfo{m_run->stick->x, m_run->stick->y, 0, m_run->stick->buttons};
  return true;
}

void ScriptedPlatform::Present(std::span<const uint8_t> page, const platform::Palette& palette) {
  m_page = page;
  m_inner.Present(page, palette);
}
