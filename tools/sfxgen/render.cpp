#include "sfxgen/render.hpp"

#include <algorithm>
#include <cstdlib>

#include "common/synth_kit.hpp"

namespace sfxgen {
namespace {

// Every layer ends in this short linear fade, so none ends in a click.
constexpr int kFade = 64;

// `held` is the noise, sampled once a cycle.
int Oscillate(Wave wave, uint32_t phase, int held) {
  switch (wave) {
    case Wave::Lead: return (synth::Pulse(phase, 0x40000000u) + synth::Triangle(phase)) / 2;  // the music's lead
    case Wave::Square: return synth::Pulse(phase, 0x80000000u);
    case Wave::Triangle: return synth::Triangle(phase);
    case Wave::Saw: return synth::Saw(phase);
    case Wave::Noise: return held;
    case Wave::Sine: break;
  }
  return synth::Sine(phase);
}

void AddLayer(const Layer& layer, std::vector<int32_t>& mix, synth::Noise& noise) {
  const int64_t from = synth::PhaseStep(layer.from), to = synth::PhaseStep(layer.to);
  synth::LowPass filter{layer.lowpass};
  uint32_t phase = 0;
  int held = 0;
  for (int t = 0; t < layer.length; ++t) {
    const uint32_t before = phase;
    phase += static_cast<uint32_t>(from + (to - from) * t / layer.length);
    if (phase < before && layer.wave == Wave::Noise) held = noise.Next();
    const int wave = Oscillate(layer.wave, phase, held);
    const int envelope = std::min(4096 * t / layer.attack, synth::Decay(t, layer.half));
    const int level = envelope * std::min(layer.length - t, kFade) / kFade;
    mix[static_cast<size_t>(layer.start + t)] += filter.Step(wave) * level / 4096 * layer.gain / 100;
  }
}

}  // namespace

std::vector<uint8_t> Render(const Recipe& recipe, uint32_t seed) {
  int length = 0;
  for (const Layer& layer : recipe.layers) length = std::max(length, layer.start + layer.length);
  std::vector<int32_t> mix(static_cast<size_t>(length), 0);
  synth::Noise noise(seed);
  for (const Layer& layer : recipe.layers) AddLayer(layer, mix, noise);

  int64_t loudest = 1;
  for (const int32_t m : mix) loudest = std::max<int64_t>(loudest, std::abs(m));
  std::vector<uint8_t> samples(mix.size());
  for (size_t i = 0; i < mix.size(); ++i) {
    // Rounded half away from zero.
    const int64_t scaled = 2 * int64_t{mix[i]} * recipe.peak;
    const int64_t s = (scaled >= 0 ? scaled + loudest : scaled - loudest) / (2 * loudest);
    samples[i] = static_cast<uint8_t>(128 + s);
  }
  return samples;
}

}  // namespace sfxgen
