#include "platform/sdl/sdl_audio.hpp"

#include <cstdio>
#include <utility>
#include <vector>

namespace platform::sdl {
namespace {

// Small, so that an effect sounds within a frame or two of its cause.
constexpr Uint16 kDeviceFrames = 256;
constexpr uint16_t kMaxChannels = 8;

}  // namespace

SdlAudio::SdlAudio(PlayerVolume volume) { m_mixer.SetVolume(volume); }

SdlAudio::~SdlAudio() { Close(); }

template <typename Change>
void SdlAudio::Locked(Change change) const {
  if (m_device != 0) SDL_LockAudioDevice(m_device);
  change();
  if (m_device != 0) SDL_UnlockAudioDevice(m_device);
}

bool SdlAudio::Open(const WaveFormat& format, std::span<const uint8_t> samples) {
  Close();
  std::vector<int16_t> music = format.channels <= kMaxChannels && format.samplesPerSec > 0 &&
                                       format.samplesPerSec <= INT32_MAX
                                   ? DecodePcm(format, samples)
                                   : std::vector<int16_t>();
  if (music.empty()) {
    std::fprintf(stderr, "kestrova: the music is in a wave format the game cannot play, or empty\n");
    return false;
  }
  if (!m_subsystem) m_subsystem.emplace(SDL_INIT_AUDIO);
  if (!m_subsystem->Ok()) {
    PrintSdlError();
    return false;
  }
  m_format = format;
  m_mixer.SetMusic(std::move(music));

  SDL_AudioSpec want{};
  want.freq = static_cast<int>(format.samplesPerSec);
  want.format = AUDIO_S16SYS;
  want.channels = static_cast<Uint8>(format.channels);
  want.samples = kDeviceFrames;
  want.callback = &SdlAudio::FillStream;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to the hardware, the mix stays as made.
  m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (m_device == 0) {
    PrintSdlError();
    return false;
  }
  return true;
}

void SdlAudio::Play() {
  m_playing = true;
  SetPaused(false);
}

void SdlAudio::SetPaused(bool paused) {
  if (m_device != 0 && m_playing) SDL_PauseAudioDevice(m_device, paused ? 1 : 0);
}

void SdlAudio::LoadEffect(size_t index, std::span<const uint8_t> samples) {
  if (m_device == 0) return;
  std::vector<int16_t> effect = DecodePcm(m_format, samples);
  Locked([&] { m_mixer.SetEffect(index, std::move(effect)); });
}

void SdlAudio::SwitchMusic(std::span<const uint8_t> samples) {
  if (m_device == 0) return;
  std::vector<int16_t> music = DecodePcm(m_format, samples);
  if (!music.empty()) Locked([&] { m_mixer.SetMusic(std::move(music)); });
}

void SdlAudio::StartEffect(size_t index) {
  Locked([&] { m_mixer.Start(index); });
}

PlayerVolume SdlAudio::Volume() const {
  PlayerVolume volume;
  Locked([&] { volume = m_mixer.Volume(); });
  return volume;
}

void SdlAudio::SetVolume(const PlayerVolume& volume) {
  Locked([&] { m_mixer.SetVolume(volume); });
}

void SdlAudio::PressVolumeKey(char32_t key, bool repeat) {
  Locked([&] { m_mixer.SetVolume(AfterVolumeKey(m_mixer.Volume(), key, repeat)); });
}

void SdlAudio::FillStream(void* self, Uint8* stream, int length) {
  auto& audio = *static_cast<SdlAudio*>(self);
  audio.m_mixer.Mix(std::span(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / sizeof(int16_t)));
}

void SdlAudio::Close() {
  if (m_device != 0) SDL_CloseAudioDevice(m_device);
  m_device = 0;
}

}  // namespace platform::sdl
