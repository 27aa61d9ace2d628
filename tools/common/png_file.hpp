// PNG output: 8-bit paletted pictures, as icons for desktops and browsers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// `pixels` holds `width` x `height` palette indices, top row first; `palette`
// is RGB triples, at most 256. Rows are stored unfiltered and deflated at
// zlib's level 9, so the same picture always gives the same bytes. False (with
// a message naming `tool` and the file on standard error) when the file
// cannot be written.
bool WritePng8(const char* tool, const std::string& path, int width, int height, const std::vector<uint8_t>& pixels,
               const std::vector<uint8_t>& palette);

}  // namespace tools
