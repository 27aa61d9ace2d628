// The sprite sheet every picture of the game is cut from, decoded once at
// start-up and never drawn into.
#pragma once

#include <cstdint>
#include <span>

#include "gfx/palette.hpp"
#include "gfx/surface.hpp"

struct SpriteSheet {
  Surface pixels;  // black is pixel value 0, so that keyed blits leave it out
  Palette palette{};
  // The title and stage-clear tiles have no transparent pixel: those screens
  // then cover whatever the frame before left on the page.
  bool tilesCoverPage = false;
};

enum class SheetResult { Loaded, NoResource, NotABitmap, WrongSize };

// Decodes the bitmap resource onto `sheet`.
SheetResult LoadSpriteSheet(std::span<const uint8_t> bitmap, SpriteSheet& sheet);
// The message box a failed load shows first; none (empty) for a bitmap of
// another size.
const char* SheetMessage(SheetResult result);
