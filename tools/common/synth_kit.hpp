// The generators' integer synthesizer: pitches, waveforms of a 32-bit
// phase (+-32767), envelopes (level 0..4096), a filter and noise. The music
// and the sound effects share them so that they sound of a piece.
#pragma once

#include <cstdint>

namespace synth {

// Phase step per sample at 8000 Hz of a MIDI note.
uint32_t PhaseStep(int pitch);

int Saw(uint32_t phase);
// Levels chosen so that the pulse averages zero whatever its duty.
int Pulse(uint32_t phase, uint32_t duty);
int Triangle(uint32_t phase);
// A parabola per half cycle: close enough to a sine for drums.
int Sine(uint32_t phase);

// Exponential decay: the level after `t` samples, halving every `half`.
int Decay(int t, int half);

// One-pole low-pass filter; `k` of 256 is how fast it follows.
struct LowPass {
  int k, y = 0;
  int Step(int x) {
    y += (x - y) * k / 256;
    return y;
  }
};

// A linear congruential generator of our own.
class Noise {
 public:
  explicit Noise(uint32_t seed) : m_state(seed) {}
  int Next();  // -32768..32767

 private:
  uint32_t m_state;
};

}  // namespace synth
