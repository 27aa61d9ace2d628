#include "audio/sound.hpp"

#include <cstdio>
#include <cstring>

namespace {

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Read32(const uint8_t* p) { return static_cast<uint32_t>(Read16(p)) | static_cast<uint32_t>(Read16(p + 2)) << 16; }
bool IsTag(const uint8_t* p, const char (&tag)[5]) { return std::memcmp(p, tag, 4) == 0; }

constexpr uint16_t WAVE_FORMAT_PCM = 1;
constexpr uint32_t MIN_FORMAT_LENGTH = 14;  // the fields up to the block alignment

}  // namespace

int32_t GetWaveResource(std::span<const uint8_t> resource, WaveFormat* format, const uint8_t** data,
                        uint32_t* size) {
  if (format != nullptr) *format = WaveFormat{};
  if (data != nullptr) *data = nullptr;
  if (size != nullptr) *size = 0;
  bool formatSet = false;

  const uint64_t length = resource.size();
  if (length < 12 || !IsTag(resource.data(), "RIFF") || !IsTag(resource.data() + 8, "WAVE")) return 0;
  // Offsets are 64-bit, so no length read from the file can wrap them.
  const uint64_t end = 8 + uint64_t{Read32(resource.data() + 4)};
  uint64_t pos = 12;
  if (pos >= end) return 0;
  for (;;) {
    if (pos + 8 > length) return 0;
    const uint8_t* header = resource.data() + pos;
    const uint64_t chunkLength = Read32(header + 4);
    const uint64_t body = pos + 8;
    const bool bodyInside = body + chunkLength <= length;
    if (IsTag(header, "fmt ")) {
      if (format != nullptr && !formatSet) {
        if (chunkLength < MIN_FORMAT_LENGTH || !bodyInside) return 0;
        const uint8_t* f = resource.data() + body;
        format->formatTag = Read16(f);
        format->channels = Read16(f + 2);
        format->samplesPerSec = Read32(f + 4);
        format->avgBytesPerSec = Read32(f + 8);
        format->blockAlign = Read16(f + 12);
        format->bitsPerSample = chunkLength >= 16 ? Read16(f + 14) : 0;
        formatSet = true;
        if ((data == nullptr || *data != nullptr) && (size == nullptr || *size != 0)) return 1;
      }
    } else if (IsTag(header, "data")) {
      if ((data != nullptr && *data == nullptr) || (size != nullptr && *size == 0)) {
        if (!bodyInside) return 0;
        if (data != nullptr) *data = resource.data() + body;
        if (size != nullptr) *size = static_cast<uint32_t>(chunkLength);
        if (format == nullptr || formatSet) return 1;
      }
    }
    pos = body + chunkLength + (chunkLength & 1);
    if (pos >= end) return 0;
  }
}

int32_t CSound::InitSound(AudioOutput& output, std::span<const uint8_t> waveResource,
                          const EffectResources& effects) {
  m_output = &output;
  WaveFormat format;
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (GetWaveResource(waveResource, &format, &data, &size) == 0) return 0;
  if (format.formatTag != WAVE_FORMAT_PCM) return 0;
  if (!output.OpenAudio(format, std::span<const uint8_t>(data, size))) return 0;
  m_format = format;
  for (size_t i = 0; i < effects.size(); ++i) {
    if (effects[i].empty()) continue;
    WaveFormat own;
    if (GetWaveResource(effects[i], &own, &data, &size) == 0 || own != format) {
      std::fprintf(stderr, "kestrova: warning: the sound \"%s\" is not a wave like the music's; it stays silent\n",
                   kEffectNames[i]);
      continue;
    }
    output.LoadEffect(i, std::span<const uint8_t>(data, size));
  }
  return 1;
}

void CSound::StartEffects(const FrameSounds& sounds) {
  if (m_output == nullptr) return;
  for (size_t i = 0; i < kEffectCount; ++i) {
    if (sounds.Started(static_cast<Effect>(i))) m_output->StartEffect(i);
  }
}

void CSound::SwitchMusic(std::span<const uint8_t> waveResource) {
  if (m_output == nullptr) return;
  WaveFormat format;
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (GetWaveResource(waveResource, &format, &data, &size) == 0 || format != m_format) {
    std::fprintf(stderr, "kestrova: warning: a stage's music is not a wave like the first one's; the music plays on\n");
    return;
  }
  m_output->SwitchMusic(std::span<const uint8_t>(data, size));
}

int CSound::PlayMusic() {
  if (m_output == nullptr) return 0;
  m_output->PlayAudioLoop();
  return 1;
}
