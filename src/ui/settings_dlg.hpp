// The settings dialog shown before the game: display mode and input device.
#pragma once

#include <cstdint>

// Every way of closing the dialog goes on into the game with the members as
// its buttons left them.
struct CSettingsDlg {
  int32_t m_bFullScreen = 0;  // 1 = full screen, 0 = window
  int32_t m_bKeyboard = 1;    // 1 = keyboard, 0 = joystick
};
