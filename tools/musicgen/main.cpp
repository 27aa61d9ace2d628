// Renders the game's music.
// usage: kestrova-musicgen OUT.wav
#include <cstdio>

#include "musicgen/song.hpp"
#include "musicgen/synth.hpp"
#include "common/wave_file.hpp"

int main(int argc, char** argv) {
  using namespace musicgen;
  if (argc != 2) {
    std::fprintf(stderr, "usage: kestrova-musicgen OUT.wav\n");
    return 2;
  }
  std::vector<int32_t> mix(kSongSamples, 0);
  synth::Noise noise(0x4B455354u);
  for (const Note& note : ComposeSong()) RenderNote(note, mix, noise);
  std::vector<uint8_t> samples(mix.size());
  // The voices are balanced against each other; this sets the overall level.
  for (size_t i = 0; i < mix.size(); ++i) samples[i] = ToSample(mix[i] * 4 / 3);
  return tools::WriteWave("kestrova-musicgen", argv[1], samples, kSampleRate) ? 0 : 1;
}
