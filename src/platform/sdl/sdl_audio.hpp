// One PCM buffer played in an endless loop on SDL's audio thread.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/platform.hpp"
#include "platform/sdl/sdl_handles.hpp"

namespace platform::sdl {

// SDL's sample format for a wave's "fmt " chunk; nothing for formats SDL
// cannot play.
std::optional<SDL_AudioFormat> SampleFormat(const WaveFormat& format);

class SdlAudio {
 public:
  SdlAudio() = default;
  ~SdlAudio();
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  // Opens the default output in the wave's own format, paused; false when the
  // format is unusable or no output opens.
  bool Open(const WaveFormat& format, std::span<const uint8_t> samples);
  void Play();

 private:
  static void FillStream(void* self, Uint8* stream, int length);
  void Close();

  std::optional<Subsystem> m_subsystem;
  std::vector<uint8_t> m_samples;
  size_t m_position = 0;  // touched only by the audio thread while the device is open
  SDL_AudioDeviceID m_device = 0;
};

}  // namespace platform::sdl
