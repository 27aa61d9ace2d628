// The program's resources, embedded into the build's virtual file system
// (the CMake web block lists them) instead of compiled-in arrays.
#include <fstream>
#include <iterator>
#include <vector>

#include "app/game_app.hpp"

namespace {

std::vector<uint8_t> ReadResource(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

Resources BuiltinResources() {
  // Read once; the game keeps spans into them for the whole run.
  static const std::vector<uint8_t> icon = ReadResource("/resources/icon.bmp");
  static const std::vector<uint8_t> sheet = ReadResource("/resources/sheet.bmp");
  static const std::vector<uint8_t> music = ReadResource("/resources/vesk.wav");
  return {icon, sheet, music};
}
