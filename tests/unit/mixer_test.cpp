// The mixer alone: music exact, effects on top within their voices, never a
// wrapped sample, the volume and muting.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/common/mixer.hpp"

namespace {

using platform::Mixer;

std::vector<int16_t> Mixed(Mixer& mixer, size_t count) {
  std::vector<int16_t> out(count, 12345);
  mixer.Mix(out);
  return out;
}

std::vector<int16_t> Ramp(size_t count, int16_t step) {
  std::vector<int16_t> samples(count);
  for (size_t i = 0; i < count; ++i) samples[i] = static_cast<int16_t>((static_cast<int32_t>(i) * step) % 30000);
  return samples;
}

TEST(Mixer, DecodesEightAndSixteenBitPcmOnly) {
  const WaveFormat u8{1, 1, 8000, 8000, 1, 8}, s16{1, 2, 8000, 32000, 4, 16};
  EXPECT_EQ(platform::DecodePcm(u8, std::vector<uint8_t>{0, 0x80, 0xFF}), (std::vector<int16_t>{-32768, 0, 32512}));
  EXPECT_EQ(platform::DecodePcm(s16, std::vector<uint8_t>{0x01, 0x80, 0xFF, 0x7F}),
            (std::vector<int16_t>{-32767, 32767}));
  EXPECT_TRUE(platform::DecodePcm(s16, std::vector<uint8_t>{1, 2, 3}).empty());  // a part-frame
  EXPECT_TRUE(platform::DecodePcm({1, 1, 8000, 32000, 4, 32}, std::vector<uint8_t>(8)).empty());
  EXPECT_TRUE(platform::DecodePcm({3, 1, 8000, 32000, 4, 32}, std::vector<uint8_t>(8)).empty());
}

TEST(Mixer, LoopsTheMusicExactlyAndAddsEffectsFromTheirStart) {
  Mixer mixer;
  const std::vector<int16_t> music = Ramp(333, 97);
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
}

TEST(Mixer, KeepsToItsVoicesAndCopies) {
  Mixer mixer;
  for (size_t i = 0; i < kVoices + 1; ++i) mixer.SetEffect(i, std::vector<int16_t>(50, 100));
  for (int i = 0; i < 3; ++i) mixer.Start(0);
  EXPECT_EQ(Mixed(mixer, 1)[0], 100 * static_cast<int>(kCopiesOfOne));
  // A new effect with every voice busy takes the oldest one's place.
  for (size_t i = 1; i < kVoices + 1; ++i) mixer.Start(i);
  EXPECT_EQ(Mixed(mixer, 1)[0], 100 * static_cast<int>(kVoices));
  EXPECT_EQ(Mixed(mixer, 60).back(), 0);  // all played out
}

TEST(Mixer, NeverWrapsAndGivesTheMusicBackOnceEffectsEnd) {
  Mixer mixer;
  const std::vector<int16_t> music(100, 30000);
  mixer.SetMusic(music);
  for (size_t i = 0; i < kVoices; ++i) {
    mixer.SetEffect(i, std::vector<int16_t>(400, i % 2 ? 32767 : -32768));
    mixer.Start(i);
  }
  mixer.SetEffect(9, std::vector<int16_t>(400, 32767));
  mixer.Start(9);  // now every voice adds the most it can
  const std::vector<int16_t> loud = Mixed(mixer, 400);
  for (int16_t s : loud) ASSERT_GT(s, 0);  // a wrapped sum would turn negative
  const std::vector<int16_t> after = Mixed(mixer, 20000);
  EXPECT_EQ(after.back(), 30000);
}

TEST(Mixer, VolumeScalesAndMuteSilencesEverything) {
  Mixer mixer;
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
}

}  // namespace
