#include "platform/headless/headless_platform.hpp"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "platform/common/bmp_reader.hpp"

namespace platform {

void HeadlessPlatform::HoldKeys(const std::vector<uint8_t>& virtualKeys) {
  std::fill(std::begin(m_keys), std::end(m_keys), uint8_t{0});
  for (uint8_t vk : virtualKeys) m_keys[vk] = 0x80;
}

void HeadlessPlatform::SetJoystick(std::optional<JoyInfo> state, JoyCaps caps) {
  m_joystick = state;
  m_joyCaps = caps;
}

bool HeadlessPlatform::CreateMainWindow(std::span<const uint8_t>) { return !failWindow; }

void HeadlessPlatform::RunMessageLoop(WindowHandler& handler, const std::function<bool()>& onIdle) {
  m_pendingLeft = m_pendingRight = false;  // input from before the loop is ignored
  for (int64_t call = 1; call <= idleLimit && !m_closeRequested; ++call) {
    if (beforeIdle) beforeIdle(call);
    if (m_pendingRight) handler.OnRButtonDown();
    if (m_pendingLeft) handler.OnLButtonDown();
    m_pendingLeft = m_pendingRight = false;
    if (m_closeRequested) break;
    onIdle();
  }
}

void HeadlessPlatform::ShowMessageBox(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  m_messages.push_back(text);
}

VideoResult HeadlessPlatform::InitVideo(bool) { return videoResult; }

void HeadlessPlatform::Present(std::span<const uint8_t> page, const Palette& palette) {
  m_lastPage = page;
  m_lastPalette = palette;
  ++m_presents;
}

bool HeadlessPlatform::DecodeBitmap(std::span<const uint8_t> file, IndexedImage& out, std::string& error) {
  return ReadIndexedBmp(file, out, error);
}

void HeadlessPlatform::GetKeyboardState(uint8_t (&keys)[256]) { std::copy(std::begin(m_keys), std::end(m_keys), keys); }

bool HeadlessPlatform::GetJoystickCaps(JoyCaps& caps) {
  if (!m_joystick) return false;
  caps = m_joyCaps;
  return true;
}

bool HeadlessPlatform::PollJoystick(JoyInfo& info) {
  if (!m_joystick) return false;
  info = *m_joystick;
  return true;
}

bool HeadlessPlatform::OpenAudio(const WaveFormat&, std::span<const uint8_t> samples) {
  if (failAudio) return false;
  m_audio = samples;
  return true;
}

}  // namespace platform
