#include "platform/common/mixer.hpp"

#include <algorithm>
#include <array>
#include <optional>

namespace platform {
namespace {

constexpr uint16_t kWavePcm = 1;
// The limiter lets go over about 1024 samples (an eighth of a second at 8000 Hz).
constexpr int kReleaseShift = 10;

}  // namespace

std::vector<int16_t> DecodePcm(const WaveFormat& format, std::span<const uint8_t> bytes) {
  std::vector<int16_t> samples;
  if (format.formatTag != kWavePcm || format.channels == 0 ||
      format.blockAlign != format.channels * format.bitsPerSample / 8 || bytes.size() % format.blockAlign != 0) {
    return samples;
  }
  if (format.bitsPerSample == 8) {
    samples.reserve(bytes.size());
    for (uint8_t b : bytes) samples.push_back(static_cast<int16_t>((b - 128) * 256));
  } else if (format.bitsPerSample == 16) {
    samples.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      samples.push_back(static_cast<int16_t>(static_cast<uint16_t>(bytes[i] | bytes[i + 1] << 8)));
    }
  }
  return samples;
}

void Mixer::SetMusic(std::vector<int16_t> samples) {
  m_music = std::move(samples);
  m_musicPosition = 0;
}

void Mixer::SetEffect(size_t index, std::vector<int16_t> samples) {
  if (index >= m_effects.size()) m_effects.resize(index + 1);
  // Its samples are going.
  std::erase_if(m_voices, [&](const Voice& v) { return v.effect == index; });
  m_effects[index] = std::move(samples);
}

void Mixer::SetVolume(PlayerVolume volume) {
  m_volume = PlayerVolume{std::clamp(volume.percent, int32_t{0}, PlayerVolume::kFull), volume.muted};
}

void Mixer::Start(size_t index) {
  if (index >= m_effects.size() || m_effects[index].empty()) return;
  std::array<size_t, kVoices> playing{};
  std::transform(m_voices.begin(), m_voices.end(), playing.begin(), [](const Voice& v) { return v.effect; });
  if (const std::optional<size_t> stop = VoiceToStop(std::span(playing).first(m_voices.size()), index)) {
    m_voices.erase(m_voices.begin() + static_cast<std::ptrdiff_t>(*stop));
  }
  m_voices.push_back(Voice{index, 0});
}

// Instant attack, so no sum ever leaves the sample range; a slow release, so
// the music comes back without a jump once the effects are over.
int32_t Mixer::Limit(int32_t sum) {
  const int64_t magnitude = sum < 0 ? -int64_t{sum} : sum;
  const int64_t peak = sum < 0 ? 32768 : 32767;
  if (magnitude * m_gain > peak * kUnity) m_gain = peak * kUnity / magnitude;
  const auto limited = static_cast<int32_t>(sum * m_gain / kUnity);
  if (m_gain < kUnity) m_gain += std::max<int64_t>(1, (kUnity - m_gain) >> kReleaseShift);
  return limited;
}

void Mixer::Mix(std::span<int16_t> out) {
  const int32_t volume = m_volume.muted ? 0 : m_volume.percent;
  for (int16_t& sample : out) {
    int32_t sum = 0;
    if (!m_music.empty()) {
      sum = m_music[m_musicPosition];
      m_musicPosition = (m_musicPosition + 1) % m_music.size();
    }
    for (Voice& v : m_voices) sum += m_effects[v.effect][v.position++];
    std::erase_if(m_voices, [&](const Voice& v) { return v.position == m_effects[v.effect].size(); });
    sample = static_cast<int16_t>(Limit(sum) * volume / PlayerVolume::kFull);
  }
}

}  // namespace platform
