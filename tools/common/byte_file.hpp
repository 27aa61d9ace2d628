// Little-endian byte output and whole-file writes for the asset generators.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tools {

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFFu);
  Put16(out, v >> 16);
}

// Writes beside the target and renames it into place, so an interrupted or
// failed run never leaves a truncated asset for the build to embed. False,
// with a message naming the tool and the file, when that fails.
inline bool WriteWholeFile(const char* tool, const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string tmp = path + ".tmp";
  std::FILE* file = std::fopen(tmp.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "%s: cannot write %s\n", tool, path.c_str());
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written || std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    std::fprintf(stderr, "%s: error writing %s\n", tool, path.c_str());
    return false;
  }
  return true;
}

}  // namespace tools
