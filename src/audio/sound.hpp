// The looping background music from the program's wave resource, and the
// sound effects the frames start over it.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "audio/effects.hpp"
#include "platform/platform.hpp"

// Each effect's wave resource, in Effect order; an empty one stays silent.
using EffectResources = std::array<std::span<const uint8_t>, kEffectCount>;

// Walks the RIFF chunks of a wave resource. Each out-value may be null (not
// asked for). Every length is checked against the resource's end: a truncated
// or lying chunk gives 0. `format` is filled from the "fmt " chunk's bytes.
int32_t GetWaveResource(std::span<const uint8_t> resource, platform::WaveFormat* format,
                        const uint8_t** data, uint32_t* size);

class CSound {
 public:
  // 1 = buffer ready, 0 = the resource is not a usable wave or no audio output opened.
  // Effects not in the music's format are left silent, with a warning.
  int32_t InitSound(platform::Platform& platform, std::span<const uint8_t> waveResource,
                    const EffectResources& effects = {});
  int PlayMusic();
  void StartEffects(const FrameSounds& sounds);

 private:
  platform::Platform* m_platform = nullptr;
};
