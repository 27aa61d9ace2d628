// The looping background music from the program's wave resource, and the
// sound effects the frames start over it.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "audio/effects.hpp"

// The "fmt " chunk of a PCM wave.
struct WaveFormat {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  bool operator==(const WaveFormat&) const = default;
};

// Where the sound goes: the machine's audio output, which the platform opens.
class AudioOutput {
 public:
  // Opens the output for one looping PCM buffer; false when none opens.
  virtual bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) = 0;
  virtual void PlayAudioLoop() = 0;
  // Sound effects in the music's format, by index, each started over the
  // music; what the output cannot play stays silent.
  virtual void LoadEffect(size_t index, std::span<const uint8_t> samples) = 0;
  virtual void StartEffect(size_t index) = 0;
  // Another loop in the music's format in its place, from its start.
  virtual void SwitchMusic(std::span<const uint8_t> samples) = 0;

 protected:
  ~AudioOutput() = default;
};

// Each effect's wave resource, in Effect order; an empty one stays silent.
using EffectResources = std::array<std::span<const uint8_t>, kEffectCount>;

// Walks the RIFF chunks of a wave resource. Each out-value may be null (not
// asked for). Every length is checked against the resource's end: a truncated
// or lying chunk gives 0. `format` is filled from the "fmt " chunk's bytes.
int32_t GetWaveResource(std::span<const uint8_t> resource, WaveFormat* format,
                        const uint8_t** data, uint32_t* size);

class CSound {
 public:
  // 1 = buffer ready, 0 = the resource is not a usable wave or no audio output opened.
  // Effects not in the music's format are left silent, with a warning.
  int32_t InitSound(AudioOutput& output, std::span<const uint8_t> waveResource,
                    const EffectResources& effects = {});
  int PlayMusic();
  void StartEffects(const FrameSounds& sounds);
  // Another wave resource in place of the music, when it is a wave like the
  // first one's; else the music plays on, with a warning.
  void SwitchMusic(std::span<const uint8_t> waveResource);

 private:
  AudioOutput* m_output = nullptr;
  WaveFormat m_format;
};
