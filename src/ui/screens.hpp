// State of the screens that are not play.
#pragma once

#include <cstdint>

inline constexpr int32_t EXIT_CURSOR_NO = 192;
inline constexpr int32_t EXIT_CURSOR_YES = 320;

extern int32_t g_nExitCursorX;  // the exit query's selection
