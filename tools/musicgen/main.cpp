// Renders a stage's music.
// usage: kestrova-musicgen [--stage 2] OUT.wav
#include <cstdio>
#include <string>

#include "common/wave_file.hpp"
#include "musicgen/song.hpp"
#include "musicgen/synth.hpp"

int main(int argc, char** argv) {
  using namespace musicgen;
  const bool volcano = argc == 4 && std::string(argv[1]) == "--stage" && std::string(argv[2]) == "2";
  if (!volcano && (argc != 2 || std::string(argv[1]).rfind("--", 0) == 0)) {
    std::fprintf(stderr, "usage: kestrova-musicgen [--stage 2] OUT.wav\n");
    return 2;
  }
  const Song song = volcano ? ComposeVolcanoSong() : ComposeSong();
  std::vector<int32_t> mix(static_cast<size_t>(song.Samples()), 0);
  synth::Noise noise(0x4B455354u);
  for (const Note& note : song.notes) RenderNote(note, song.stepSamples, mix, noise);
  std::vector<uint8_t> samples(mix.size());
  // The voices are balanced against each other; this sets the overall level.
  for (size_t i = 0; i < mix.size(); ++i) samples[i] = ToSample(mix[i] * 4 / 3);
  return tools::WriteWave("kestrova-musicgen", argv[argc - 1], samples, kSampleRate) ? 0 : 1;
}
