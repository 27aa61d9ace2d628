// The music's loop with the sound effects on top, in 16-bit samples at the
// music's rate. With no effect playing and the volume full, the output is the
// music exactly; effects never clip it, whatever plays at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "audio/voices.hpp"
#include "audio/volume.hpp"
#include "platform/platform.hpp"

namespace platform {

// 8-bit unsigned or 16-bit signed PCM as 16-bit samples, 8-bit x as
// (x - 128) * 256; empty for any other format or a part-frame.
std::vector<int16_t> DecodePcm(const WaveFormat& format, std::span<const uint8_t> bytes);

class Mixer {
 public:
  Mixer() { m_voices.reserve(kVoices); }  // the audio thread never allocates

  void SetMusic(std::vector<int16_t> samples);
  void SetEffect(size_t index, std::vector<int16_t> samples);
  void Start(size_t index);
  // Every sample at the volume's percent (0 to full), none while muted.
  void SetVolume(PlayerVolume volume);
  PlayerVolume Volume() const { return m_volume; }

  void Mix(std::span<int16_t> out);

 private:
  struct Voice {
    size_t effect = 0;
    size_t position = 0;
  };
  int32_t Limit(int32_t sum);

  std::vector<int16_t> m_music;
  size_t m_musicPosition = 0;
  std::vector<std::vector<int16_t>> m_effects;
  std::vector<Voice> m_voices;  // those playing, oldest first
  static constexpr int64_t kUnity = 1 << 15;
  int64_t m_gain = kUnity;  // the limiter's, in 1/32768ths
  PlayerVolume m_volume;
};

}  // namespace platform
