#include "platform/headless/headless_platform.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

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
  m_lastPage.assign(page.begin(), page.end());
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

bool WritePagePng(const std::string& path, std::span<const uint8_t> page, const Palette& palette, std::string& error) {
  if (page.size() != static_cast<size_t>(kPageWidth) * kPageHeight) {
    error = "no page to write";
    return false;
  }
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kPageWidth, kPageHeight, 24, SDL_PIXELFORMAT_RGB24);
  if (surface == nullptr) {
    error = SDL_GetError();
    return false;
  }
  for (int y = 0; y < kPageHeight; ++y) {
    auto* row = static_cast<uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
    for (int x = 0; x < kPageWidth; ++x) {
      const Color c = palette[page[static_cast<size_t>(y) * kPageWidth + static_cast<size_t>(x)]];
      row[3 * x] = c.r;
      row[3 * x + 1] = c.g;
      row[3 * x + 2] = c.b;
    }
  }
  const bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
  if (!ok) error = SDL_GetError();
  SDL_FreeSurface(surface);
  return ok;
}

}  // namespace platform
