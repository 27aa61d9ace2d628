// The sound from the wave resources to the samples played: the RIFF walk,
// the game's own waves, the sound's output, the voices an effect takes, the
// volume keys and the mixer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/resources.hpp"
#include "audio/effects.hpp"
#include "audio/sound.hpp"
#include "audio/voices.hpp"
#include "audio/volume.hpp"
#include "platform/common/mixer.hpp"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& out, uint32_t v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

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
    Put(rest, static_cast<uint32_t>(c.declared >= 0 ? c.declared : static_cast<int64_t>(c.body.size())));
    rest.insert(rest.end(), c.body.begin(), c.body.end());
    if (c.body.size() % 2) rest.push_back(0);
  }
  Bytes out = {'R', 'I', 'F', 'F'};
  Put(out, static_cast<uint32_t>(riffLength >= 0 ? riffLength : static_cast<int64_t>(rest.size() + 4)));
  out.insert(out.end(), {'W', 'A', 'V', 'E'});
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

// tag, channels, rate, bytes/s, block align, bits, extra size: mono 8-bit.
Bytes Fmt(uint16_t tag = 1, uint32_t rate = 8000) {
  Bytes b;
  for (const uint32_t v : {uint32_t{tag}, 1u}) Put(b, v, 2);
  Put(b, rate);
  Put(b, rate);
  for (const uint32_t v : {1u, 8u, 0u}) Put(b, v, 2);
  return b;
}

// Samples no test listens to: only where they are and how many count.
Bytes Samples(size_t n) { return Bytes(n, 0x80); }

Bytes GoodWave() { return Riff({{"fmt ", Fmt()}, {"fact", {100, 0, 0, 0}}, {"data", Samples(100)}}); }

struct Parsed {
  int32_t result = -1;
  WaveFormat format;
  const uint8_t* data = reinterpret_cast<const uint8_t*>(1);  // garbage: must be reset
  uint32_t size = 12345;
};

Parsed Parse(std::span<const uint8_t> wave) {
  Parsed p;
  p.result = GetWaveResource(wave, &p.format, &p.data, &p.size);
  return p;
}

TEST(GetWaveResource, ChunkLayoutsTruncationsOnlyTheValuesAskedForAndTheBuiltInSounds) {
  struct Case {
    const char* name;
    Bytes wave;
    int32_t result;
    size_t dataOffset;  // checked when found
    uint32_t size;
  };
  const auto fmtOf = [](size_t length) { Bytes f = Fmt(); f.resize(length); return f; };
  const std::vector<Case> cases = {
      // 12 header + 8 + 18 fmt + 8 + 4 fact + 8 data header.
      {"fmt, fact, data", GoodWave(), 1, 58, 100},
      {"data before fmt", Riff({{"data", Samples(10)}, {"fmt ", Fmt()}}), 1, 20, 10},
      // 3-byte chunk + pad: fmt at 12 + 8 + 4 = 24, data header at 24 + 26 = 50.
      {"odd chunk padded", Riff({{"junk", {1, 2, 3}}, {"fmt ", Fmt()}, {"data", Samples(6)}}), 1, 58, 6},
      {"odd data, nothing after", Riff({{"fmt ", Fmt()}, {"data", Samples(5)}}), 1, 46, 5},
      {"no data chunk", Riff({{"fmt ", Fmt()}, {"fact", {1, 0, 0, 0}}}), 0, 0, 0},
      {"no fmt chunk", Riff({{"data", Samples(8)}}), 0, 0, 0},
      {"fmt of 13 bytes", Riff({{"fmt ", fmtOf(13)}, {"data", Samples(4)}}), 0, 0, 0},
      {"fmt of 14 bytes", Riff({{"fmt ", fmtOf(14)}, {"data", Samples(4)}}), 1, 42, 4},
      {"not RIFF", [] { Bytes w = GoodWave(); w[0] = 'X'; return w; }(), 0, 0, 0},
      {"not WAVE", [] { Bytes w = GoodWave(); w[11] = 'X'; return w; }(), 0, 0, 0},
      // The walk stops once the next chunk would start at the RIFF end.
      {"RIFF length hides data", Riff({{"fmt ", Fmt()}, {"data", Samples(4)}}, 4 + 26), 0, 0, 0},
      {"RIFF length huge", Riff({{"fmt ", Fmt()}, {"data", Samples(4)}}, 0xFFFFFFFF), 1, 46, 4},
      {"data length huge", Riff({{"fmt ", Fmt()}, {"data", Samples(4), 0xFFFFFFFF}}), 0, 0, 0},
      {"fmt length huge", Riff({{"fmt ", Fmt(), 0xFFFFFFFE}, {"data", Samples(4)}}), 0, 0, 0},
      {"skipped chunk length huge", Riff({{"fmt ", Fmt()}, {"fact", {1, 0, 0, 0}, 0xFFFFFFFF}, {"data", Samples(4)}},
                                         0xFFFFFFFF), 0, 0, 0},
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
  // Every truncation fails inside the bytes: a chunk header or body cut short.
  const Bytes wave = GoodWave();
  for (size_t n = 0; n < wave.size(); ++n) {
    const Bytes cut(wave.begin(), wave.begin() + static_cast<std::ptrdiff_t>(n));  // exact size: ASan sees overreads
    EXPECT_EQ(Parse(cut).result, 0) << "length " << n;
  }
  // Only the values asked for are looked for; what is not found is reset, not
  // left as the caller had it.
  const Bytes fmtOnly = Riff({{"fmt ", Fmt()}});
  const Parsed none = Parse(fmtOnly);
  EXPECT_TRUE(none.result == 0 && none.data == nullptr && none.size == 0);
  WaveFormat format;
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  EXPECT_EQ(GetWaveResource(fmtOnly, &format, nullptr, nullptr), 1);
  EXPECT_EQ(GetWaveResource(fmtOnly, &format, &data, nullptr), 0);
  EXPECT_EQ(GetWaveResource(Riff({{"fmt ", Fmt()}}, 4), &format, nullptr, nullptr), 0) << "a chunk past the RIFF end";
  EXPECT_EQ(GetWaveResource(wave, nullptr, &data, nullptr), 1);
  EXPECT_EQ(data, wave.data() + 58);
  EXPECT_EQ(GetWaveResource(wave, nullptr, nullptr, &size), 1);
  EXPECT_EQ(size, 100u);
  EXPECT_EQ(GetWaveResource(wave, nullptr, nullptr, nullptr), 0);
  // The built-in music's end flows into its start; the effects are short, clearly
  // heard yet mixed over the music without clipping it, and start and stop without
  // a click: all of them sit near the silent level 128 at both ends.
  const Resources resources = BuiltinResources();
  const Parsed music = Parse(resources.music);
  ASSERT_EQ(music.result, 1);
  EXPECT_EQ(music.format, (WaveFormat{1, 1, 8000, 8000, 1, 8}));
  ASSERT_EQ(music.size, 648000u);
  const int first = music.data[0], last = music.data[music.size - 1];
  EXPECT_LE(std::abs(first - last), 3);
  EXPECT_LE(std::abs(first - 128), 3);
  for (size_t i = 0; i < kEffectCount; ++i) {
    SCOPED_TRACE(kEffectNames[i]);
    const Parsed p = Parse(resources.effects[i]);
    ASSERT_EQ(p.result, 1);
    EXPECT_EQ(p.format, music.format);
    ASSERT_GT(p.size, 0u);
    EXPECT_LT(p.size, 8000u);  // under a second
    int peak = 0;
    for (uint32_t n = 0; n < p.size; ++n) peak = std::max(peak, std::abs(p.data[n] - 128));
    EXPECT_GE(peak, 16);
    EXPECT_LE(peak, 64);  // half of full scale
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

TEST(CSound, OpensTheMusicsDataChunkLoadsTheEffectsInItsFormatAndPlaysWhenAsked) {
  const Bytes same = Riff({{"fmt ", Fmt()}, {"data", Samples(30)}});
  const Bytes faster = Riff({{"fmt ", Fmt(1, 11025)}, {"data", Samples(30)}}), broken = {1, 2, 3};
  const EffectResources effects = {same, faster, broken, {}, same};
  const struct {
    const char* name;
    Bytes wave;
    bool failOutput;
    int opens;
  } failures[] = {
      {"not a wave", Bytes{1, 2, 3}, false, 0},
      {"not PCM", Riff({{"fmt ", Fmt(3)}, {"data", Samples(8)}}), false, 0},
      {"no output opens", GoodWave(), true, 1},
  };
  for (const auto& c : failures) {
    RecordingOutput output;
    output.failAudio = c.failOutput;
    EXPECT_EQ(CSound().InitSound(output, c.wave, effects), 0) << c.name;
    EXPECT_EQ(output.opens, c.opens) << c.name;
    EXPECT_TRUE(output.effects.empty()) << c.name;
  }

  const Bytes music = GoodWave();
  RecordingOutput output;
  CSound sound;
  testing::internal::CaptureStderr();
  ASSERT_EQ(sound.InitSound(output, music, effects), 1);
  const std::string warnings = testing::internal::GetCapturedStderr();
  EXPECT_EQ(output.opens, 1);
  EXPECT_EQ(output.opened, (WaveFormat{1, 1, 8000, 8000, 1, 8}));
  EXPECT_EQ(output.audio.data(), music.data() + 58);
  EXPECT_EQ(output.audio.size(), 100u);
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
  EXPECT_FALSE(output.playing);
  sound.PlayMusic();
  EXPECT_TRUE(output.playing);
  FrameSounds sounds;
  sounds.Start(Effect::Bomb);
  sounds.Start(Effect::Volley);
  sound.StartEffects(sounds);
  EXPECT_EQ(output.started, (std::vector<size_t>{0, 9})) << "in effect order, each once";
}

// What the player hears from the effects and the volume keys, on the desktop
// and in the browser: which voice a new effect takes, and the volume a key leaves.
TEST(Voices, ANewStartStopsTheOldestCopyOrVoicePastTheLimitsAndMMutesOrAStepUnmutesWithinTheRange) {
  const struct {
    std::vector<size_t> playing;  // oldest first
    size_t effect;
    std::optional<size_t> stops;
  } cases[] = {
      {{}, 3, std::nullopt},
      {{5, 3, 1}, 3, std::nullopt},              // a second copy
      {{5, 3, 1, 3}, 3, 1},                      // a third restarts the oldest copy
      {{0, 1, 2, 4, 5, 6, 7}, 3, std::nullopt},  // the last free voice
      {{0, 1, 2, 4, 5, 6, 7, 8}, 3, 0},          // none free: the oldest gives way
      {{0, 1, 2, 4, 5, 6, 3, 3}, 3, 6},          // both limits: the copy goes
  };
  for (const auto& c : cases) EXPECT_EQ(VoiceToStop(c.playing, c.effect), c.stops) << "case " << &c - cases;
  const struct {
    PlayerVolume from;
    char32_t key;
    bool repeat;
    PlayerVolume after;
  } presses[] = {
      {{100, false}, U'm', false, {100, true}}, {{40, true}, U'M', false, {40, false}},
      {{40, true}, U'm', true, {40, true}},  // a held M does not flicker
      {{40, true}, U'-', false, {30, false}},   {{40, false}, U'-', true, {30, false}},  // held, it steps on
      {{5, false}, U'-', false, {0, false}},    {{0, true}, U'+', false, {10, false}},
      {{90, false}, U'=', true, {100, false}},  {{95, false}, U'+', false, {100, false}},
      {{40, true}, U'n', false, {40, true}},    {{40, false}, U'\0', false, {40, false}},  // no character
  };
  for (const auto& p : presses) {
    const PlayerVolume got = AfterVolumeKey(p.from, p.key, p.repeat);
    EXPECT_EQ(got, p.after) << "press " << &p - presses << ": " << got.percent << (got.muted ? " muted" : "");
  }
}

// The mixer alone: music exact, effects on top within their voices, never a
// wrapped sample, the volume and muting.
using platform::Mixer;

std::vector<int16_t> Mixed(Mixer& mixer, size_t count) {
  std::vector<int16_t> out(count, 12345);
  mixer.Mix(out);
  return out;
}

TEST(Mixer, DecodesPcmOnlyLoopsTheMusicAndAddsEffectsWithinTheirVoicesByTheVolumeNeverWrapping) {
  const WaveFormat u8{1, 1, 8000, 8000, 1, 8}, s16{1, 2, 8000, 32000, 4, 16};
  EXPECT_EQ(platform::DecodePcm(u8, std::vector<uint8_t>{0, 0x80, 0xFF}), (std::vector<int16_t>{-32768, 0, 32512}));
  EXPECT_EQ(platform::DecodePcm(s16, std::vector<uint8_t>{0x01, 0x80, 0xFF, 0x7F}),
            (std::vector<int16_t>{-32767, 32767}));
  EXPECT_TRUE(platform::DecodePcm(s16, std::vector<uint8_t>{1, 2, 3}).empty());  // a part-frame
  EXPECT_TRUE(platform::DecodePcm({1, 1, 8000, 32000, 4, 32}, std::vector<uint8_t>(8)).empty());
  EXPECT_TRUE(platform::DecodePcm({3, 1, 8000, 32000, 4, 32}, std::vector<uint8_t>(8)).empty());

  Mixer mixer;
  std::vector<int16_t> music(333);
  for (size_t i = 0; i < music.size(); ++i) music[i] = static_cast<int16_t>(i * 97 % 30000);
  mixer.SetMusic(music);
  mixer.SetEffect(2, {1000, -2000, 3000});
  std::vector<int16_t> out = Mixed(mixer, 700);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], music[i % music.size()]) << i;
  mixer.Start(2);
  mixer.Start(7);  // no such effect: nothing
  out = Mixed(mixer, 5);
  EXPECT_EQ(out[0], music[700 % 333] + 1000);
  EXPECT_EQ(out[1], music[701 % 333] - 2000);
  EXPECT_EQ(out[2], music[702 % 333] + 3000);
  EXPECT_EQ(out[3], music[703 % 333]);

  // The volume scales everything, muting silences it.
  mixer.SetMusic({-20000, 10000});
  mixer.SetEffect(0, {2000});
  mixer.SetVolume({50, false});
  mixer.Start(0);
  EXPECT_EQ(Mixed(mixer, 2), (std::vector<int16_t>{-9000, 5000}));
  mixer.SetVolume({250, true});
  EXPECT_EQ(mixer.Volume(), (PlayerVolume{PlayerVolume::kFull, true}));
  mixer.Start(0);
  EXPECT_EQ(Mixed(mixer, 2), (std::vector<int16_t>{0, 0}));
  mixer.SetVolume({PlayerVolume::kFull, false});
  EXPECT_EQ(Mixed(mixer, 2), (std::vector<int16_t>{-20000, 10000}));

  // The voices and copies counted without music under them.
  mixer.SetMusic({});
  for (size_t i = 0; i < kVoices + 1; ++i) mixer.SetEffect(i, std::vector<int16_t>(50, 100));
  for (int i = 0; i < 3; ++i) mixer.Start(0);
  EXPECT_EQ(Mixed(mixer, 1)[0], 100 * static_cast<int>(kCopiesOfOne));
  // A new effect with every voice busy takes the oldest one's place.
  for (size_t i = 1; i < kVoices + 1; ++i) mixer.Start(i);
  EXPECT_EQ(Mixed(mixer, 1)[0], 100 * static_cast<int>(kVoices));
  EXPECT_EQ(Mixed(mixer, 60).back(), 0);  // all played out

  // Every voice adding the most it can never wraps; the music comes back once they end.
  mixer.SetMusic(std::vector<int16_t>(100, 30000));
  for (size_t i = 0; i < kVoices; ++i) {
    mixer.SetEffect(i, std::vector<int16_t>(400, i % 2 ? 32767 : -32768));
    mixer.Start(i);
  }
  mixer.SetEffect(9, std::vector<int16_t>(400, 32767));
  mixer.Start(9);
  const std::vector<int16_t> loud = Mixed(mixer, 400);
  for (int16_t s : loud) ASSERT_GT(s, 0);  // a wrapped sum would turn negative
  const std::vector<int16_t> after = Mixed(mixer, 20000);
  EXPECT_EQ(after.back(), 30000);
}

}  // namespace
