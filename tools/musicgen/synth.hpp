// A small integer synthesizer: one routine per instrument, adding each note
// into a signed mix whose full scale is +-32767.
#pragma once

#include <cstdint>
#include <vector>

#include "musicgen/song.hpp"

namespace musicgen {

// The drums' noise: a linear congruential generator of our own.
class Noise {
 public:
  explicit Noise(uint32_t seed) : m_state(seed) {}
  int Next();  // -32768..32767

 private:
  uint32_t m_state;
};

// Adds the note, its release included, to `mix` (samples past the end are
// dropped; the song is written so that none are).
void RenderNote(const Note& note, std::vector<int32_t>& mix, Noise& noise);

// Soft-limits the mix into an unsigned 8-bit sample (128 = silence).
uint8_t ToSample(int32_t mix);

}  // namespace musicgen
