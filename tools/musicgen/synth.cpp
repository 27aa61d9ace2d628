#include "musicgen/synth.hpp"

#include <algorithm>
#include <cstdlib>

namespace musicgen {
namespace {

using namespace synth;

// Attack-decay-sustain-release, level 0..4096.
struct Adsr {
  int attack, decay, sustain, release;
  int Level(int t, int held) const {
    int level;
    if (t < attack) {
      level = 4096 * t / attack;
    } else if (t < attack + decay) {
      level = 4096 - (4096 - sustain) * (t - attack) / decay;
    } else {
      level = sustain;
    }
    if (t < held) return level;
    // Release from wherever the note was when let go.
    const int atRelease = Level(held - 1, held + 1);
    const int r = t - held;
    return r >= release ? 0 : atRelease * (release - r) / release;
  }
  int Length(int held) const { return held + release; }
};

void Add(std::vector<int32_t>& mix, int at, int value) {
  if (at >= 0 && static_cast<size_t>(at) < mix.size()) mix[static_cast<size_t>(at)] += value;
}

void Tonal(const Note& n, int stepSamples, std::vector<int32_t>& mix) {
  const int start = n.step * stepSamples, held = n.length * stepSamples - 40;
  uint32_t phase = 0;
  const uint32_t step = PhaseStep(n.pitch);
  switch (n.instrument) {
    case Instrument::Lead:
    case Instrument::Harmony: {
      const bool lead = n.instrument == Instrument::Lead;
      const Adsr env{60, 1500, 2600, 500};
      LowPass filter{lead ? 140 : 90};
      const int gain = (lead ? 7000 : 3400) * n.velocity / 16;
      for (int t = 0; t < env.Length(held); ++t) {
        // Vibrato sets in on held notes: +-0.4 % at 6 Hz.
        const int lfo = t > 2400 ? Triangle(static_cast<uint32_t>(t) * 3221225u) : 0;
        phase += step + static_cast<uint32_t>(static_cast<int64_t>(step / 256) * lfo / 32768);
        const int wave = (Pulse(phase, lead ? 0x40000000u : 0x80000000u) + Triangle(phase)) / 2;
        Add(mix, start + t, filter.Step(wave) * env.Level(t, held) / 4096 * gain / 32768);
      }
      break;
    }
    case Instrument::Brass: {
      // Saw and square together, slower to speak and a little duller.
      const Adsr env{200, 1200, 2800, 600};
      LowPass filter{120};
      const int gain = 6200 * n.velocity / 16;
      for (int t = 0; t < env.Length(held); ++t) {
        const int lfo = t > 2400 ? Triangle(static_cast<uint32_t>(t) * 3221225u) : 0;
        phase += step + static_cast<uint32_t>(static_cast<int64_t>(step / 256) * lfo / 32768);
        const int wave = (Saw(phase) + Pulse(phase, 0x80000000u)) / 2;
        Add(mix, start + t, filter.Step(wave) * env.Level(t, held) / 4096 * gain / 32768);
      }
      break;
    }
    case Instrument::Bass: {
      const Adsr env{20, 600, 2400, 300};
      LowPass filter{70};
      const int gain = 7000 * n.velocity / 16;
      for (int t = 0; t < env.Length(held); ++t) {
        phase += step;
        Add(mix, start + t, filter.Step(Saw(phase)) * env.Level(t, held) / 4096 * gain / 32768);
      }
      break;
    }
    case Instrument::Arp: {
      LowPass filter{110};
      const int gain = 1900 * n.velocity / 16;
      for (int t = 0; t < 700; ++t) {
        phase += step;
        const int level = std::min(t * 128, Decay(t, 160));  // 32-sample attack, quick pluck
        Add(mix, start + t, filter.Step(Pulse(phase, 0x80000000u)) * level / 4096 * gain / 32768);
      }
      break;
    }
    default:
      break;
  }
}

void Drum(const Note& n, int stepSamples, std::vector<int32_t>& mix, synth::Noise& noise) {
  const int start = n.step * stepSamples;
  switch (n.instrument) {
    case Instrument::Kick: {
      // A sine falling from about 160 Hz to 50 Hz.
      uint32_t phase = 0;
      const int gain = 11000 * n.velocity / 16;
      for (int t = 0; t < 2000; ++t) {
        const uint32_t step = 26843546u + static_cast<uint32_t>(Decay(t, 150)) * 14000u;
        phase += step;
        const int level = std::min(t * 256, Decay(t, 400));
        Add(mix, start + t, Sine(phase) * level / 4096 * gain / 32768);
      }
      break;
    }
    case Instrument::Snare: {
      uint32_t phase = 0;
      int previous = 0;
      const int gain = 6000 * n.velocity / 16;
      for (int t = 0; t < 1400; ++t) {
        phase += 96636764u;  // 180 Hz body
        const int white = noise.Next();
        const int hiss = (white - previous / 2);  // tilt toward the highs
        previous = white;
        const int body = Sine(phase) * Decay(t, 120) / 4096;
        const int level = std::min(t * 256, Decay(t, 220));
        Add(mix, start + t, (hiss / 2 * level / 4096 + body / 2) * gain / 32768);
      }
      break;
    }
    case Instrument::HatClosed:
    case Instrument::HatOpen: {
      const bool open = n.instrument == Instrument::HatOpen;
      const int length = open ? 1400 : 500, half = open ? 180 : 50;
      const int gain = 2200 * n.velocity / 16;
      int previous = 0;
      for (int t = 0; t < length; ++t) {
        const int white = noise.Next();
        const int high = (white - previous) / 2;  // first difference: only the highs
        previous = white;
        const int level = std::min(t * 512, Decay(t, half));
        Add(mix, start + t, high * level / 4096 * gain / 32768);
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

void RenderNote(const Note& note, int stepSamples, std::vector<int32_t>& mix, synth::Noise& noise) {
  switch (note.instrument) {
    case Instrument::Lead:
    case Instrument::Harmony:
    case Instrument::Brass:
    case Instrument::Bass:
    case Instrument::Arp: Tonal(note, stepSamples, mix); break;
    default: Drum(note, stepSamples, mix, noise); break;
  }
}

uint8_t ToSample(int32_t mix) {
  // Linear up to 3/4 of full scale, then bent smoothly toward full scale.
  constexpr int64_t kKnee = 24000, kRoom = 8000;
  const int64_t a = std::abs(static_cast<int64_t>(mix));
  const int64_t bent = a <= kKnee ? a : kKnee + (a - kKnee) * kRoom / (a - kKnee + kRoom);
  const int64_t v = mix < 0 ? -bent : bent;
  // Round half away from zero to 8 bits.
  const int64_t s = (v >= 0 ? v + 128 : v - 128) / 256;
  return static_cast<uint8_t>(std::clamp<int64_t>(128 + s, 0, 255));
}

}  // namespace musicgen
