// The tune: 54 bars at 160 beats a minute, exactly 81 seconds at 8000 Hz,
// written to loop (its last sixteenth is silent in every voice).
#pragma once

#include <cstdint>
#include <vector>

namespace musicgen {

inline constexpr int kSampleRate = 8000;
inline constexpr int kStepSamples = 750;  // one sixteenth at 160 beats a minute
inline constexpr int kStepsPerBar = 16;
inline constexpr int kBars = 54;
inline constexpr int kSongSamples = kStepSamples * kStepsPerBar * kBars;  // 648000

enum class Instrument { Lead, Harmony, Bass, Arp, Kick, Snare, HatClosed, HatOpen };

struct Note {
  Instrument instrument = Instrument::Lead;
  int step = 0;      // start, in sixteenths from the top of the song
  int length = 1;    // sixteenths held
  int pitch = 0;     // MIDI note number (drums: unused)
  int velocity = 0;  // 0..16
};

std::vector<Note> ComposeSong();

}  // namespace musicgen
