// The settings dialog as a native GTK window, shown before the game starts.
#pragma once

#include <cstdint>

#include "app/language.hpp"

namespace platform::sdl {

// Runs the dialog modally. Only its four display and device buttons change
// the members; every way of closing it keeps them as they stand. Without a
// display it warns and leaves them untouched. Its captions through `texts`.
void RunGtkSettingsDialog(int32_t& fullScreen, int32_t& keyboard, const Translator& texts);

}  // namespace platform::sdl
