#include "common/synth_kit.hpp"

#include <algorithm>

namespace synth {
namespace {

// Phase steps (32-bit phase per sample at 8000 Hz) of octave 8, C to B;
// lower octaves halve them.
constexpr uint32_t kOctave8[12] = {2247346494u, 2380980670u, 2522561148u, 2672560440u, 2831479154u, 2999847666u,
                                   3178227890u, 3367215155u, 3567440188u, 3779571220u, 4004316221u, 4242425254u};

}  // namespace

uint32_t PhaseStep(int pitch) {
  const int octave = pitch / 12 - 1;
  return kOctave8[pitch % 12] >> std::clamp(8 - octave, 0, 31);
}

int Saw(uint32_t phase) { return static_cast<int>(phase >> 16) - 32768; }

int Pulse(uint32_t phase, uint32_t duty) {
  const int high = 65534 - static_cast<int>((int64_t{65534} * duty) >> 32);
  return phase < duty ? high : high - 65534;
}

int Triangle(uint32_t phase) {
  const int v = static_cast<int>(phase >> 15);  // 0..131071
  return v < 65536 ? v - 32768 : 98303 - v;
}

int Sine(uint32_t phase) {
  const int half = static_cast<int>((phase >> 16) & 32767);
  const int v = half * (32768 - half) >> 13;
  return (phase >> 31) ? -std::min(v, 32767) : std::min(v, 32767);
}

int Decay(int t, int half) {
  const int halvings = t / half, frac = t % half;
  if (halvings >= 15) return 0;
  const int level = 4096 >> halvings;
  return level - (level / 2) * frac / half;
}

int Noise::Next() {
  m_state = m_state * 1103515245u + 12345u;
  return static_cast<int>((m_state >> 16) & 0xFFFFu) - 32768;
}

}  // namespace synth
