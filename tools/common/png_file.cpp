#include "common/png_file.hpp"

#include <zlib.h>

#include <cstddef>
#include <cstdio>

#include "common/byte_file.hpp"

namespace tools {
namespace {

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// Length, type, data, and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  PutBig32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  PutBig32(out, static_cast<uint32_t>(crc));
}

}  // namespace

bool WritePng8(const char* tool, const std::string& path, int width, int height, const std::vector<uint8_t>& pixels,
               const std::vector<uint8_t>& palette) {
  const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
  if (width <= 0 || height <= 0 || pixels.size() != w * h || palette.empty() || palette.size() % 3 != 0 ||
      palette.size() > 3 * 256) {
    std::fprintf(stderr, "%s: no picture to write to %s\n", tool, path.c_str());
    return false;
  }
  std::vector<uint8_t> header;
  PutBig32(header, static_cast<uint32_t>(width));
  PutBig32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 3, 0, 0, 0});  // 8 bits, paletted, deflate, no filtering, not interlaced
  std::vector<uint8_t> rows;
  rows.reserve(h * (w + 1));
  for (size_t y = 0; y < h; ++y) {
    rows.push_back(0);  // filter type None
    rows.insert(rows.end(), pixels.begin() + static_cast<ptrdiff_t>(y * w),
                pixels.begin() + static_cast<ptrdiff_t>((y + 1) * w));
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), 9) != Z_OK) {
    std::fprintf(stderr, "%s: cannot compress %s\n", tool, path.c_str());
    return false;
  }
  packed.resize(packedSize);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "PLTE", palette);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return WriteWholeFile(tool, path, out);
}

}  // namespace tools
