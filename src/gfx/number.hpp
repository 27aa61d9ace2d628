// Numbers on the back page: the score during play and the title's table.
#pragma once

#include <cstdint>

#include "gfx/display.hpp"

// "SCORE" at the top left of the playfield, the 16-pixel digits below it
// ending at x 192.
void DrawScore(CDisplay& display, int32_t score);
// Small 8-pixel digits ending at `right`.
void DrawNumber(CDisplay& display, int32_t value, int32_t right, int32_t top);
