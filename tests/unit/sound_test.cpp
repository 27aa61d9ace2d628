#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "audio/effects.hpp"
#include "audio/sound.hpp"
#include "test_support.hpp"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put32(Bytes& out, uint32_t v) { Put(out, v, 4); }

struct Chunk {
  std::string id;
  Bytes body;
  int64_t declared = -1;  // length written in the header; -1 = the body's size
};

// "RIFF" <length> "WAVE" then the chunks, each padded to an even length.
Bytes Riff(const std::vector<Chunk>& chunks, int64_t riffLength = -1) {
  Bytes rest;
  for (const Chunk& c : chunks) {
    rest.insert(rest.end(), c.id.begin(), c.id.end());
    Put32(rest, static_cast<uint32_t>(c.declared >= 0 ? c.declared : static_cast<int64_t>(c.body.size())));
    rest.insert(rest.end(), c.body.begin(), c.body.end());
    if (c.body.size() % 2) rest.push_back(0);
  }
  Bytes out = {'R', 'I', 'F', 'F'};
  Put32(out, static_cast<uint32_t>(riffLength >= 0 ? riffLength : static_cast<int64_t>(rest.size() + 4)));
  out.insert(out.end(), {'W', 'A', 'V', 'E'});
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

// tag, channels, rate, bytes/s, block align, bits, extra size.
Bytes Fmt(uint16_t tag = 1, uint16_t channels = 1, uint32_t rate = 8000, uint16_t bits = 8) {
  Bytes b;
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  for (const uint32_t v : {uint32_t{tag}, uint32_t{channels}}) Put(b, v, 2);
  Put32(b, rate);
  Put32(b, rate * align);
  for (const uint32_t v : {uint32_t{align}, uint32_t{bits}, 0u}) Put(b, v, 2);
  return b;
}

Bytes FmtPrefix(size_t n) {
  const Bytes full = Fmt();
  return Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
}

Bytes Samples(size_t n) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 7 + 3);
  return b;
}

Bytes GoodWave() { return Riff({{"fmt ", Fmt()}, {"fact", {100, 0, 0, 0}}, {"data", Samples(100)}}); }

struct Parsed {
  int32_t result = -1;
  WaveFormat format;
  const uint8_t* data = reinterpret_cast<const uint8_t*>(1);  // garbage: must be reset
  uint32_t size = 12345;
};

Parsed Parse(const Bytes& wave) {
  Parsed p;
  p.result = GetWaveResource(wave, &p.format, &p.data, &p.size);
  return p;
}

TEST(GetWaveResource, ChunkLayouts) {
  struct Case {
    const char* name;
    Bytes wave;
    int32_t result;
    size_t dataOffset;  // checked when found
    uint32_t size;
  };
  const std::vector<Case> cases = {
      // 12 header + 8 + 18 fmt + 8 + 4 fact + 8 data header.
      {"fmt, fact, data", GoodWave(), 1, 58, 100},
      {"data before fmt", Riff({{"data", Samples(10)}, {"fmt ", Fmt()}}), 1, 20, 10},
      // 3-byte chunk + pad: fmt at 12 + 8 + 4 = 24, data header at 24 + 26 = 50.
      {"odd chunk padded", Riff({{"junk", {1, 2, 3}}, {"fmt ", Fmt()}, {"data", Samples(6)}}), 1, 58, 6},
      {"odd data, nothing after", Riff({{"fmt ", Fmt()}, {"data", Samples(5)}}), 1, 46, 5},
      {"no data chunk", Riff({{"fmt ", Fmt()}, {"fact", {1, 0, 0, 0}}}), 0, 0, 0},
      {"no fmt chunk", Riff({{"data", Samples(8)}}), 0, 0, 0},
      {"fmt of 13 bytes", Riff({{"fmt ", FmtPrefix(13)}, {"data", Samples(4)}}), 0, 0, 0},
      {"fmt of 14 bytes", Riff({{"fmt ", FmtPrefix(14)}, {"data", Samples(4)}}), 1, 42, 4},
      {"not RIFF", [] { Bytes w = GoodWave(); w[0] = 'X'; return w; }(), 0, 0, 0},
      {"not WAVE", [] { Bytes w = GoodWave(); w[11] = 'X'; return w; }(), 0, 0, 0},
      {"RIFF length ends before first chunk", Riff({{"fmt ", Fmt()}, {"data", Samples(4)}}, 4), 0, 0, 0},
      // The walk stops once the next chunk would start at the RIFF end.
      {"RIFF length hides data", Riff({{"fmt ", Fmt()}, {"data", Samples(4)}}, 4 + 26), 0, 0, 0},
      {"RIFF length huge", Riff({{"fmt ", Fmt()}, {"data", Samples(4)}}, 0xFFFFFFFF), 1, 46, 4},
      {"data length past end", Riff({{"fmt ", Fmt()}, {"data", Samples(4), 5}}), 0, 0, 0},
      {"data length huge", Riff({{"fmt ", Fmt()}, {"data", Samples(4), 0xFFFFFFFF}}), 0, 0, 0},
      {"fmt length huge", Riff({{"fmt ", Fmt(), 0xFFFFFFFE}, {"data", Samples(4)}}), 0, 0, 0},
      {"skipped chunk length huge", Riff({{"fmt ", Fmt()}, {"fact", {1, 0, 0, 0}, 0xFFFFFFFF}, {"data", Samples(4)}},
                                         0xFFFFFFFF), 0, 0, 0},
      {"header cut short", [] { Bytes w = Riff({{"fmt ", Fmt()}}, 0xFFFFFF); w.insert(w.end(), {'d', 'a'}); return w; }(),
       0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Parsed p = Parse(c.wave);
    EXPECT_EQ(p.result, c.result);
    if (c.result == 1) {
      EXPECT_EQ(p.data, c.wave.data() + c.dataOffset);
      EXPECT_EQ(p.size, c.size);
    }
  }
  // What was not found is reset, not left as the caller had it.
  const Parsed none = Parse(Riff({{"fmt ", Fmt(3, 2, 44100, 16)}}));
  EXPECT_TRUE(none.data == nullptr && none.size == 0);
}

TEST(GetWaveResource, OnlyTheValuesAskedFor) {
  const Bytes fmtOnly = Riff({{"fmt ", Fmt()}});
  const Bytes wave = GoodWave();
  WaveFormat format;
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  // The format alone is found without any data chunk.
  EXPECT_EQ(GetWaveResource(fmtOnly, &format, nullptr, nullptr), 1);
  EXPECT_EQ(GetWaveResource(fmtOnly, &format, &data, nullptr), 0);
  EXPECT_EQ(GetWaveResource(wave, nullptr, &data, nullptr), 1);
  EXPECT_EQ(data, wave.data() + 58);
  EXPECT_EQ(GetWaveResource(wave, nullptr, nullptr, &size), 1);
  EXPECT_EQ(size, 100u);
  EXPECT_EQ(GetWaveResource(wave, nullptr, nullptr, nullptr), 0);
}

TEST(GetWaveResource, EveryTruncationFailsInsideTheBytes) {
  const Bytes wave = GoodWave();
  for (size_t n = 0; n < wave.size(); ++n) {
    const Bytes cut(wave.begin(), wave.begin() + static_cast<std::ptrdiff_t>(n));  // exact size: ASan sees overreads
    EXPECT_EQ(Parse(cut).result, 0) << "length " << n;
  }
}

TEST(GetWaveResource, TheGamesMusicLoopsCleanly) {
  const Bytes wave = testing_support::ReadAsset("vesk.wav");
  ASSERT_EQ(wave.size(), 8u + 648050u);
  const Parsed p = Parse(wave);
  ASSERT_EQ(p.result, 1);
  const WaveFormat& f = p.format;
  EXPECT_TRUE(f.formatTag == 1 && f.channels == 1 && f.samplesPerSec == 8000 && f.avgBytesPerSec == 8000 &&
              f.blockAlign == 1 && f.bitsPerSample == 8);
  ASSERT_EQ(p.size, 648000u);
  EXPECT_EQ(p.data, wave.data() + 58);
  // The end flows into the start: no jump at the loop point, and both ends
  // sit near the silent level 128.
  const int first = p.data[0], last = p.data[p.size - 1];
  EXPECT_LE(std::abs(first - last), 3);
  EXPECT_LE(std::abs(first - 128), 3);
}

TEST(GetWaveResource, TheBuiltInEffectsAreShortWavesThatLeaveRoomForTheMusic) {
  const Resources resources = BuiltinResources();
  const auto format = [](const Parsed& p) {
    const WaveFormat& f = p.format;
    return std::tuple(f.formatTag, f.channels, f.samplesPerSec, f.avgBytesPerSec, f.blockAlign, f.bitsPerSample);
  };
  const Parsed music = Parse(Bytes(resources.music.begin(), resources.music.end()));
  ASSERT_EQ(music.result, 1);
  for (size_t i = 0; i < kEffectCount; ++i) {
    SCOPED_TRACE(kEffectNames[i]);
    const Bytes wave(resources.effects[i].begin(), resources.effects[i].end());
    const Parsed p = Parse(wave);
    ASSERT_EQ(p.result, 1);
    EXPECT_EQ(format(p), format(music));
    ASSERT_GT(p.size, 0u);
    EXPECT_LT(p.size, 8000u);  // under a second
    int peak = 0;
    for (uint32_t n = 0; n < p.size; ++n) peak = std::max(peak, std::abs(p.data[n] - 128));
    EXPECT_GE(peak, 16);  // clearly heard
    EXPECT_LE(peak, 64);  // half of full scale: mixed over the music, it must not clip
    // Starting or stopping over the music, it makes no click.
    EXPECT_LE(std::abs(p.data[0] - 128), 2);
    EXPECT_LE(std::abs(p.data[p.size - 1] - 128), 2);
  }
}

// Remembers what reached the audio output.
class RecordingOutput final : public AudioOutput {
 public:
  bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) override {
    ++opens;
    opened = format;
    audio = samples;
    return !failAudio;
  }
  void PlayAudioLoop() override { playing = true; }
  void LoadEffect(size_t index, std::span<const uint8_t> samples) override {
    effects.push_back({index, samples.size()});
  }
  void StartEffect(size_t index) override { started.push_back(index); }
  void SwitchMusic(std::span<const uint8_t> samples) override { audio = samples; }
  bool failAudio = false;
  int opens = 0;
  WaveFormat opened;
  std::span<const uint8_t> audio;
  bool playing = false;
  std::vector<std::pair<size_t, size_t>> effects;  // index, bytes
  std::vector<size_t> started;
};

TEST(CSound, OpensTheDataChunkOrFailsAndPlaysOnlyWhenAsked) {
  struct Case {
    const char* name;
    Bytes wave;
    bool failOutput;
    int opens;
    int32_t result;
  };
  const std::vector<Case> cases = {
      {"a wave", GoodWave(), false, 1, 1},
      {"not a wave", Bytes{1, 2, 3}, false, 0, 0},
      {"not PCM", Riff({{"fmt ", Fmt(3)}, {"data", Samples(8)}}), false, 0, 0},
      {"no output opens", GoodWave(), true, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingOutput output;
    output.failAudio = c.failOutput;
    CSound sound;
    EXPECT_EQ(sound.InitSound(output, c.wave), c.result);
    EXPECT_EQ(output.opens, c.opens);
    if (c.result == 1) {
      EXPECT_EQ(output.opened.samplesPerSec, 8000u);
      EXPECT_EQ(output.audio.data(), c.wave.data() + 58);
      EXPECT_EQ(output.audio.size(), 100u);
      EXPECT_FALSE(output.playing);
      sound.PlayMusic();
      EXPECT_TRUE(output.playing);
      FrameSounds sounds;
      sounds.Start(Effect::Bomb);
      sounds.Start(Effect::Volley);
      sound.StartEffects(sounds);
      EXPECT_EQ(output.started, (std::vector<size_t>{0, 9})) << "in effect order, each once";
    }
  }
}

TEST(CSound, LoadsOnlyTheEffectsInTheMusicsFormat) {
  const Bytes music = GoodWave(), same = Riff({{"fmt ", Fmt()}, {"data", Samples(30)}});
  const Bytes faster = Riff({{"fmt ", Fmt(1, 1, 11025)}, {"data", Samples(30)}}), broken = {1, 2, 3};
  EffectResources effects{};
  effects[0] = same;
  effects[1] = faster;
  effects[2] = broken;
  effects[4] = same;
  RecordingOutput output;
  CSound sound;
  testing::internal::CaptureStderr();
  ASSERT_EQ(sound.InitSound(output, music, effects), 1);
  const std::string warnings = testing::internal::GetCapturedStderr();
  EXPECT_EQ(output.effects, (std::vector<std::pair<size_t, size_t>>{{0, 30}, {4, 30}}));
  EXPECT_NE(warnings.find(kEffectNames[1]), std::string::npos) << warnings;
  EXPECT_NE(warnings.find(kEffectNames[2]), std::string::npos) << warnings;
  // A stage's own music takes the music's place only in the same format.
  testing::internal::CaptureStderr();
  sound.SwitchMusic(faster);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("plays on"), std::string::npos);
  EXPECT_EQ(output.audio.size(), 100u);
  sound.SwitchMusic(same);
  EXPECT_TRUE(output.audio.size() == 30u && output.audio.data() + 30 == same.data() + same.size());
}

}  // namespace
