// Renders the game's sound effects, one wave file each.
// usage: kestrova-sfxgen OUT-DIR   (writes OUT-DIR/NAME.wav for every effect)
#include <cstdio>
#include <string>

#include "common/wave_file.hpp"
#include "sfxgen/recipe.hpp"
#include "sfxgen/render.hpp"

int main(int argc, char** argv) {
  using namespace sfxgen;
  if (argc != 2) {
    std::fprintf(stderr, "usage: kestrova-sfxgen OUT-DIR\n");
    return 2;
  }
  for (size_t i = 0; i < kEffectCount; ++i) {
    // Each effect's own noise, so that changing one leaves the others as they were.
    const std::vector<uint8_t> samples = Render(kRecipes[i], 0x53465800u + static_cast<uint32_t>(i));
    const std::string path = std::string(argv[1]) + "/" + kEffectNames[i] + ".wav";
    if (!tools::WriteWave("kestrova-sfxgen", path, samples, kSampleRate)) return 1;
  }
  return 0;
}
