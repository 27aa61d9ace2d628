#include "platform/sdl/sdl_audio.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace platform::sdl {
namespace {

constexpr uint16_t kWavePcm = 1;
constexpr uint16_t kWaveFloat = 3;
constexpr uint16_t kMaxChannels = 8;
constexpr Uint16 kDeviceFrames = 1024;

struct FormatEntry {
  uint16_t tag;
  uint16_t bits;
  SDL_AudioFormat sdl;
};

constexpr FormatEntry kFormats[] = {
    {kWavePcm, 8, AUDIO_U8},
    {kWavePcm, 16, AUDIO_S16LSB},
    {kWavePcm, 32, AUDIO_S32LSB},
    {kWaveFloat, 32, AUDIO_F32LSB},
};

}  // namespace

std::optional<SDL_AudioFormat> SampleFormat(const WaveFormat& format) {
  if (format.channels == 0 || format.channels > kMaxChannels || format.samplesPerSec == 0 ||
      format.samplesPerSec > INT32_MAX || format.blockAlign != format.channels * format.bitsPerSample / 8) {
    return std::nullopt;
  }
  for (const FormatEntry& entry : kFormats) {
    if (entry.tag == format.formatTag && entry.bits == format.bitsPerSample) return entry.sdl;
  }
  return std::nullopt;
}

SdlAudio::~SdlAudio() { Close(); }

bool SdlAudio::Open(const WaveFormat& format, std::span<const uint8_t> samples) {
  Close();
  const std::optional<SDL_AudioFormat> sampleFormat = SampleFormat(format);
  // Whole sample frames only, so that every loop starts on a frame.
  const size_t usable = sampleFormat ? samples.size() - samples.size() % format.blockAlign : 0;
  if (usable == 0) {
    std::fprintf(stderr, "kestrova: the music is in a wave format SDL cannot play, or empty\n");
    return false;
  }
  if (!m_subsystem) m_subsystem.emplace(SDL_INIT_AUDIO);
  if (!m_subsystem->Ok()) {
    PrintSdlError();
    return false;
  }
  m_samples.assign(samples.begin(), samples.begin() + static_cast<ptrdiff_t>(usable));
  m_position = 0;

  SDL_AudioSpec want{};
  want.freq = static_cast<int>(format.samplesPerSec);
  want.format = *sampleFormat;
  want.channels = static_cast<Uint8>(format.channels);
  want.samples = kDeviceFrames;
  want.callback = &SdlAudio::FillStream;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to the hardware, the buffer stays as stored.
  m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (m_device == 0) {
    PrintSdlError();
    return false;
  }
  return true;
}

void SdlAudio::Play() {
  if (m_device != 0) SDL_PauseAudioDevice(m_device, 0);
}

void SdlAudio::FillStream(void* self, Uint8* stream, int length) {
  auto& audio = *static_cast<SdlAudio*>(self);
  const std::vector<uint8_t>& samples = audio.m_samples;
  size_t written = 0;
  const auto total = static_cast<size_t>(length);
  while (written < total) {
    const size_t chunk = std::min(total - written, samples.size() - audio.m_position);
    std::memcpy(stream + written, samples.data() + audio.m_position, chunk);
    written += chunk;
    audio.m_position = (audio.m_position + chunk) % samples.size();
  }
}

void SdlAudio::Close() {
  if (m_device != 0) SDL_CloseAudioDevice(m_device);
  m_device = 0;
}

}  // namespace platform::sdl
