// A small integer synthesizer: one routine per instrument, adding each note
// into a signed mix whose full scale is +-32767.
#pragma once

#include <cstdint>
#include <vector>

#include "common/synth_kit.hpp"
#include "musicgen/song.hpp"

namespace musicgen {

// Adds the note, its release included, to `mix` (samples past the end are
// dropped; the song is written so that none are).
void RenderNote(const Note& note, int stepSamples, std::vector<int32_t>& mix, synth::Noise& noise);

// Soft-limits the mix into an unsigned 8-bit sample (128 = silence).
uint8_t ToSample(int32_t mix);

}  // namespace musicgen
