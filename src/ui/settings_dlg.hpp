// The settings dialog shown before the game: display mode and input device.
#pragma once

#include <cstdint>

#include "platform/platform.hpp"

struct CSettingsDlg {
  int32_t m_bFullScreen = 0;  // 1 = full screen, 0 = window
  int32_t m_bKeyboard = 1;    // 1 = keyboard, 0 = joystick

  // Every way of closing goes on into the game with the members as they stand.
  void DoModal(platform::Platform& platform) { platform.RunSettingsDialog(m_bFullScreen, m_bKeyboard); }
};
