// The main window: owns the display, the sound and the effects the current
// frame starts, and handles the clicks on the window. Its screen state is the
// play state's.
#pragma once

#include <cstdint>
#include <span>

#include "audio/effects.hpp"
#include "audio/sound.hpp"
#include "game/play_state.hpp"
#include "gfx/display.hpp"
#include "platform/platform.hpp"

class CMainFrame final : public platform::WindowHandler {
 public:
  // `sheetBitmap` is reloaded when a left click starts play from the title.
  // With `pauseWhenAway`, play stops while the window is away.
  CMainFrame(platform::Platform& platform, std::span<const uint8_t> sheetBitmap, GameState& state, bool pauseWhenAway)
      : m_state(state), m_platform(platform), m_sheetBitmap(sheetBitmap), m_pauseWhenAway(pauseWhenAway) {}

  void OnLButtonDown() override;
  void OnRButtonDown() override;
  bool OnAway() override;

  CDisplay m_display;
  CSound m_sound;
  FrameSounds m_sounds;
  GameState& m_state;

 private:
  platform::Platform& m_platform;
  std::span<const uint8_t> m_sheetBitmap;
  bool m_pauseWhenAway;
  Surface m_pausedPage;
};
