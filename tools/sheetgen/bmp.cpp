#include "sheetgen/bmp.hpp"

#include <cstdint>
#include <vector>

#include "common/byte_file.hpp"

namespace sheetgen {

using tools::Put16;
using tools::Put32;

bool WriteBmp8(const std::string& path, const Canvas& canvas, const std::array<Rgb, 256>& palette) {
  const uint32_t width = static_cast<uint32_t>(canvas.Width());
  const uint32_t height = static_cast<uint32_t>(canvas.Height());
  const uint32_t stride = (width + 3u) & ~3u;
  const uint32_t headers = 14 + 40 + 4 * 256;
  std::vector<uint8_t> out;
  out.reserve(headers + stride * height);
  out.push_back('B');
  out.push_back('M');
  Put32(out, headers + stride * height);
  Put32(out, 0);
  Put32(out, headers);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);  // positive: bottom-up rows
  Put16(out, 1);
  Put16(out, 8);
  Put32(out, 0);  // BI_RGB
  Put32(out, stride * height);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 256);
  Put32(out, 0);
  for (const Rgb& c : palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (uint32_t row = height; row-- > 0;) {
    for (uint32_t x = 0; x < stride; ++x) {
      out.push_back(x < width ? canvas.Get(static_cast<int>(x), static_cast<int>(row)) : 0);
    }
  }
  return tools::WriteWholeFile("kestrova-sheetgen", path, out);
}

}  // namespace sheetgen
