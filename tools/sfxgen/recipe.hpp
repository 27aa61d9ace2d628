// A sound effect as layers of the music's synthesizer voices, each a swept
// tone or noise under an attack and an exponential decay.
#pragma once

#include <array>
#include <cstdint>

#include "audio/effects.hpp"

namespace sfxgen {

inline constexpr int kSampleRate = 8000;

enum class Wave { Lead, Square, Triangle, Saw, Sine, Noise };

struct Layer {
  Wave wave = Wave::Square;
  int start = 0;           // samples from the effect's start
  int length = 0;          // samples, the fade-out included; 0 = no layer
  int from = 0, to = 0;    // MIDI pitch at the start and the end (noise: how often it changes)
  int attack = 1;          // samples
  int half = 1;            // samples per halving of the level
  int gain = 0;            // against the effect's other layers, percent
  int lowpass = 256;       // the filter's k of 256
};

struct Recipe {
  Effect effect;
  int peak;  // the loudest sample's distance from silence (128)
  std::array<Layer, 6> layers;
};

extern const std::array<Recipe, kEffectCount> kRecipes;  // in Effect order

}  // namespace sfxgen
