// The stages' tunes, each written to loop (its last sixteenth is silent in
// every voice). Stage 1: 54 bars at 160 beats a minute, exactly 81 seconds at
// 8000 Hz, in A minor. Stage 2: 48 bars at 150 beats a minute, 76.8 seconds,
// in D minor, with a galloping bass and a brassier lead.
#pragma once

#include <cstdint>
#include <vector>

namespace musicgen {

inline constexpr int kSampleRate = 8000;
inline constexpr int kStepsPerBar = 16;

enum class Instrument { Lead, Harmony, Bass, Arp, Kick, Snare, HatClosed, HatOpen, Brass };

struct Note {
  Instrument instrument = Instrument::Lead;
  int step = 0;      // start, in sixteenths from the top of the song
  int length = 1;    // sixteenths held
  int pitch = 0;     // MIDI note number (drums: unused)
  int velocity = 0;  // 0..16
};

struct Song {
  int stepSamples = 0;  // one sixteenth
  int bars = 0;
  std::vector<Note> notes;
  int Samples() const { return stepSamples * kStepsPerBar * bars; }
};

Song ComposeSong();         // stage 1
Song ComposeVolcanoSong();  // stage 2

}  // namespace musicgen
