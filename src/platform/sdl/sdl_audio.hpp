// The music's loop and the sound effects, mixed on SDL's audio thread into
// 16-bit samples at the music's rate.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <span>

#include "audio/volume.hpp"
#include "platform/common/mixer.hpp"
#include "platform/platform.hpp"
#include "platform/sdl/sdl_handles.hpp"

namespace platform::sdl {

class SdlAudio {
 public:
  explicit SdlAudio(PlayerVolume volume);
  ~SdlAudio();
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  // Opens the default output at the wave's rate and channels, paused; false
  // when the format is unusable or no output opens.
  bool Open(const WaveFormat& format, std::span<const uint8_t> samples);
  void Play();
  // Holds the music and effects still (the window is away) and lets them go on.
  void SetPaused(bool paused);
  // In the music's format; ignored before Open or in another format.
  void LoadEffect(size_t index, std::span<const uint8_t> samples);
  void SwitchMusic(std::span<const uint8_t> samples);
  void StartEffect(size_t index);
  // The player's volume keys, by the character they give (audio/volume.hpp).
  void PressVolumeKey(char32_t key, bool repeat);
  PlayerVolume Volume() const;
  void SetVolume(const PlayerVolume& volume);

 private:
  static void FillStream(void* self, Uint8* stream, int length);
  void Close();
  // Runs `change` on the mixer while the audio thread is kept out.
  template <typename Change>
  void Locked(Change change) const;

  std::optional<Subsystem> m_subsystem;
  WaveFormat m_format{};
  Mixer m_mixer;  // touched by the audio thread while the device is open
  SDL_AudioDeviceID m_device = 0;
  bool m_playing = false;
};

}  // namespace platform::sdl
