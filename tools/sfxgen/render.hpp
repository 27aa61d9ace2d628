// Renders a recipe into unsigned 8-bit samples (128 = silence).
#pragma once

#include <cstdint>
#include <vector>

#include "sfxgen/recipe.hpp"

namespace sfxgen {

// As long as the recipe's longest layer; scaled so the loudest sample is
// exactly `recipe.peak` from silence. `seed` starts the noise.
std::vector<uint8_t> Render(const Recipe& recipe, uint32_t seed);

}  // namespace sfxgen
