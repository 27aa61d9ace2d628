// Where the 640 x 480 page goes on an output of any size: a whole multiple
// when that fills the output well enough, else the largest 4:3 picture. The
// desktop's window and the browser's canvas both follow it.
#pragma once

#include <cstdint>

#include "gfx/surface.hpp"

struct PageLayout {
  int32_t factor;  // the largest whole multiple of the page that fits, at least 1
  int32_t x, y, width, height;  // the picture on the output, centred

  bool operator==(const PageLayout&) const = default;
  // The picture is the page enlarged `factor` times, pixel for pixel.
  bool WholeMultiple() const;
};

PageLayout LayOutPage(int32_t outputWidth, int32_t outputHeight, bool wholeMultiplesOnly);

// How the player sees the page: the window or the whole screen, and whole
// multiples only (LayOutPage's last argument).
struct PlayerView {
  bool fullScreen = false;
  bool integerScale = false;
  bool operator==(const PlayerView&) const = default;
};
