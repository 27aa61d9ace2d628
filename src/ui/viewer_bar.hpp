// The bar a watched recording shows over its page while the viewer is being
// used: how far the run has played, its time and the viewer's speed.
#pragma once

#include <cstdint>

#include "gfx/display.hpp"

struct ViewerBar {
  int64_t frame = 0;   // played so far
  int64_t length = 0;  // the whole recording
  const char* speed = "";  // "PAUSE" or the speed, as "1/4X" or "8X"
};

// Drawn along the playfield's bottom edge, over whatever the page shows there.
void DrawViewerBar(CDisplay& display, const ViewerBar& bar);
