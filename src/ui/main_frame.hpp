// The main window: owns the display, the sound and the screen state.
#pragma once

#include <cstdint>
#include <span>

#include "audio/sound.hpp"
#include "gfx/display.hpp"
#include "platform/platform.hpp"

// Which screen the idle loop runs; at most one flag is set.
struct GameState {
  int32_t m_bTitle = 1;
  int32_t m_bPlaying = 0;
  int32_t m_bStageClear = 0;
  int32_t m_bExitQuery = 0;
  uint8_t m_nScrollSpeed = 1;

  void SetPlaying(int32_t v) { Set(0, v, 0, 0); }
  void SetStageClear(int32_t v) { Set(0, 0, v, 0); }
  void SetExitQuery(int32_t v) { Set(0, 0, 0, v); }

 private:
  void Set(int32_t title, int32_t playing, int32_t clear, int32_t exitQuery) {
    m_bTitle = title;
    m_bPlaying = playing;
    m_bStageClear = clear;
    m_bExitQuery = exitQuery;
  }
};

class CMainFrame final : public platform::WindowHandler {
 public:
  // `sheetBitmap` is reloaded when a left click starts play from the title.
  CMainFrame(platform::Platform& platform, std::span<const uint8_t> sheetBitmap)
      : m_platform(platform), m_sheetBitmap(sheetBitmap) {}

  void OnLButtonDown() override;
  void OnRButtonDown() override;

  CDisplay m_display;
  CSound m_sound;
  GameState m_state;

 private:
  platform::Platform& m_platform;
  std::span<const uint8_t> m_sheetBitmap;
};
