#include "gfx/page_layout.hpp"

#include <algorithm>

bool PageLayout::WholeMultiple() const { return width == PAGE_WIDTH * factor && height == PAGE_HEIGHT * factor; }

PageLayout LayOutPage(int32_t outputWidth, int32_t outputHeight, bool wholeMultiplesOnly) {
  const int32_t w = std::max(outputWidth, 1);
  const int32_t h = std::max(outputHeight, 1);
  const int32_t factor = std::max(1, std::min(w / PAGE_WIDTH, h / PAGE_HEIGHT));
  // The largest 4:3 picture, rounded to the nearest pixel (never past the output).
  const bool wide = int64_t{w} * PAGE_HEIGHT >= int64_t{h} * PAGE_WIDTH;
  const int32_t fitWidth = wide ? (h * 4 + 1) / 3 : w;
  const int32_t fitHeight = wide ? h : (w * 3 + 2) / 4;
  const int32_t wholeWidth = PAGE_WIDTH * factor;
  const int32_t wholeHeight = PAGE_HEIGHT * factor;
  // Whole multiples keep every pixel square and equal, so they are kept unless
  // they leave more than a quarter of the fitted picture's height unused
  // (1024 x 768 from 640 x 480, not 1920 x 1080 from 1280 x 960), or the page
  // does not fit at all.
  const bool overflows = wholeWidth > w || wholeHeight > h;
  const bool tooSmall = wholeHeight * 4 < fitHeight * 3;
  const bool fit = !wholeMultiplesOnly && (overflows || tooSmall);
  const int32_t width = fit ? fitWidth : wholeWidth;
  const int32_t height = fit ? fitHeight : wholeHeight;
  return PageLayout{factor, (w - width) / 2, (h - height) / 2, width, height};
}
