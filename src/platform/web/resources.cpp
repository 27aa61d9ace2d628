// The program's resources, embedded into the build's virtual file system
// (the CMake web block lists them) instead of compiled-in arrays.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/resources.hpp"

namespace {

std::vector<uint8_t> ReadResource(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The effects' waves by name, in the order of kEffectNames.
std::array<std::vector<uint8_t>, kEffectCount> ReadEffects() {
  std::array<std::vector<uint8_t>, kEffectCount> effects;
  for (size_t i = 0; i < kEffectCount; ++i) {
    effects[i] = ReadResource(std::string("/resources/sfx/") + kEffectNames[i] + ".wav");
  }
  return effects;
}

}  // namespace

Resources BuiltinResources() {
  // Read once; the game keeps spans into them for the whole run.
  static const std::vector<uint8_t> icon = ReadResource("/resources/icon.bmp");
  static const std::vector<uint8_t> sheet = ReadResource("/resources/sheet.bmp");
  static const std::vector<uint8_t> kana = ReadResource(std::string("/resources/") + kKanaResource);
  static const std::vector<uint8_t> music = ReadResource("/resources/vesk.wav");
  static const std::array<std::vector<uint8_t>, kEffectCount> effectFiles = ReadEffects();
  Resources resources{icon, sheet, kana, music, {}};
  for (size_t i = 0; i < kEffectCount; ++i) resources.effects[i] = effectFiles[i];
  return resources;
}
