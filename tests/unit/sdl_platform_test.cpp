// The SDL backend without a screen: SDL's dummy video, virtual joysticks and
// the disk audio driver stand in for the devices.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <optional>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "input/keyboard.hpp"
#include "platform/common/page_convert.hpp"
#include "platform/sdl/sdl_platform.hpp"
#include "test_support.hpp"

namespace {

using platform::JoyCaps;
using platform::JoyInfo;
using platform::sdl::SdlPlatform;

// Every test starts from its own environment: drivers chosen before SDL reads them.
class SdlPlatformTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
};

// ---------------------------------------------------------------- keyboard

TEST(SdlKeyboard, MapsPolledKeysToVirtualKeys) {
  struct Case {
    std::vector<SDL_Scancode> down;
    std::vector<uint8_t> expected;  // virtual keys at 0x80, all others 0
  };
  const Case cases[] = {
      {{}, {}},
      {{SDL_SCANCODE_SPACE}, {VK_SPACE}},
      {{SDL_SCANCODE_LSHIFT}, {VK_SHIFT}},
      {{SDL_SCANCODE_RSHIFT}, {VK_SHIFT}},
      {{SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT}, {VK_SHIFT}},
      {{SDL_SCANCODE_ESCAPE}, {VK_ESCAPE}},
      {{SDL_SCANCODE_LEFT, SDL_SCANCODE_UP}, {VK_LEFT, VK_UP}},
      {{SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN, SDL_SCANCODE_SPACE}, {VK_RIGHT, VK_DOWN, VK_SPACE}},
      {{SDL_SCANCODE_A, SDL_SCANCODE_RETURN, SDL_SCANCODE_LCTRL}, {}},  // not polled by the game
  };
  for (const Case& c : cases) {
    Uint8 scancodes[SDL_NUM_SCANCODES] = {};
    for (SDL_Scancode code : c.down) scancodes[code] = 1;
    uint8_t keys[256];
    std::fill(std::begin(keys), std::end(keys), uint8_t{0x55});  // stale bytes must go
    platform::sdl::MapKeyboardState(scancodes, keys);
    uint8_t expected[256] = {};
    for (uint8_t vk : c.expected) expected[vk] = 0x80;
    EXPECT_TRUE(std::equal(std::begin(keys), std::end(keys), std::begin(expected))) << "case of " << c.down.size();
  }
}

TEST(SdlKeyboard, ShortStateArrayIsNotOverread) {
  const Uint8 scancodes[SDL_SCANCODE_SPACE] = {};  // ends before Space and the arrows
  uint8_t keys[256];
  platform::sdl::MapKeyboardState(scancodes, keys);
  EXPECT_EQ(std::count(std::begin(keys), std::end(keys), 0), 256);
}

// ---------------------------------------------------------------- joystick

class SdlJoystickTest : public SdlPlatformTest {
 protected:
  void SetUp() override {
    SdlPlatformTest::SetUp();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
  }
  void TearDown() override {
    while (SDL_NumJoysticks() > 0) SDL_JoystickDetachVirtual(0);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  static int AttachStick() { return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 3, 4, 0); }
  // The virtual device as the platform opened it.
  static SDL_Joystick* Device(int index) { return SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index)); }
};

TEST_F(SdlJoystickTest, NoDeviceGivesNoCaps) {
  SdlPlatform platform;
  JoyCaps caps{};
  EXPECT_FALSE(platform.GetJoystickCaps(caps));
  JoyInfo info{};
  EXPECT_FALSE(platform.PollJoystick(info));
}

TEST_F(SdlJoystickTest, AxesSpanTheClassicRangeAndButtonsAreBits) {
  ASSERT_EQ(AttachStick(), 0);
  SdlPlatform platform;
  JoyCaps caps{};
  ASSERT_TRUE(platform.GetJoystickCaps(caps));
  EXPECT_EQ(caps.xMin, 0u);
  EXPECT_EQ(caps.xMax, 65535u);
  EXPECT_EQ(caps.yMin, 0u);
  EXPECT_EQ(caps.yMax, 65535u);

  struct Case {
    Sint16 x, y, z;
    std::vector<int> buttons;
    JoyInfo expected;
  };
  const Case cases[] = {
      {0, 0, 0, {}, {32768, 32768, 32768, 0}},
      {-32768, 32767, -1, {0}, {0, 65535, 32767, 1}},
      {32767, -32768, 1, {1}, {65535, 0, 32769, 2}},
      {100, -100, 0, {0, 1}, {32868, 32668, 32768, 3}},
      {0, 0, 0, {0, 2}, {32768, 32768, 32768, 5}},
      {0, 0, 0, {3}, {32768, 32768, 32768, 8}},
  };
  SDL_Joystick* device = Device(0);
  ASSERT_NE(device, nullptr);
  for (const Case& c : cases) {
    SDL_JoystickSetVirtualAxis(device, 0, c.x);
    SDL_JoystickSetVirtualAxis(device, 1, c.y);
    SDL_JoystickSetVirtualAxis(device, 2, c.z);
    for (int b = 0; b < 4; ++b) {
      const bool down = std::find(c.buttons.begin(), c.buttons.end(), b) != c.buttons.end();
      SDL_JoystickSetVirtualButton(device, b, down ? SDL_PRESSED : SDL_RELEASED);
    }
    JoyInfo info{};
    ASSERT_TRUE(platform.PollJoystick(info));
    EXPECT_EQ(info.x, c.expected.x);
    EXPECT_EQ(info.y, c.expected.y);
    EXPECT_EQ(info.z, c.expected.z);
    EXPECT_EQ(info.buttons, c.expected.buttons);
  }
}

TEST_F(SdlJoystickTest, UnpluggedDeviceStopsAndANewOneResumes) {
  ASSERT_EQ(AttachStick(), 0);
  SdlPlatform platform;
  JoyCaps caps{};
  ASSERT_TRUE(platform.GetJoystickCaps(caps));
  JoyInfo info{};
  ASSERT_TRUE(platform.PollJoystick(info));

  ASSERT_EQ(SDL_JoystickDetachVirtual(0), 0);
  EXPECT_FALSE(platform.PollJoystick(info));
  EXPECT_FALSE(platform.PollJoystick(info));

  ASSERT_EQ(AttachStick(), 0);
  ASSERT_TRUE(platform.PollJoystick(info));  // opens the new device
  SDL_JoystickSetVirtualButton(Device(0), 1, SDL_PRESSED);
  ASSERT_TRUE(platform.PollJoystick(info));
  EXPECT_EQ(info.buttons, 2u);
}

TEST_F(SdlJoystickTest, GamepadDrivesTheClassicAxesAndButtons) {
  ASSERT_EQ(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0),
            0);
  SdlPlatform platform;
  JoyCaps caps{};
  ASSERT_TRUE(platform.GetJoystickCaps(caps));
  struct Case {
    Sint16 leftX, leftY;
    std::vector<SDL_GameControllerButton> buttons;
    uint32_t x, y, bits;
  };
  using B = SDL_GameControllerButton;
  const Case cases[] = {
      {0, 0, {}, 32768, 32768, 0},
      {32767, -32768, {}, 65535, 0, 0},
      {0, 0, {SDL_CONTROLLER_BUTTON_A}, 32768, 32768, 1},
      {0, 0, {SDL_CONTROLLER_BUTTON_B}, 32768, 32768, 2},
      {0, 0, {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B}, 32768, 32768, 3},
      {0, 0, {SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_START}, 32768, 32768, 0},
      {0, 0, {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_UP}, 0, 0, 0},
      {0, 0, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_DOWN}, 65535, 65535, 0},
      // The d-pad wins over the stick.
      {-32768, 32767, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_UP}, 65535, 0, 0},
  };
  SDL_Joystick* device = Device(0);
  ASSERT_NE(device, nullptr);
  for (const Case& c : cases) {
    SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTX, c.leftX);
    SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTY, c.leftY);
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
      const bool down = std::find(c.buttons.begin(), c.buttons.end(), static_cast<B>(b)) != c.buttons.end();
      SDL_JoystickSetVirtualButton(device, b, down ? SDL_PRESSED : SDL_RELEASED);
    }
    JoyInfo info{};
    ASSERT_TRUE(platform.PollJoystick(info));
    EXPECT_EQ(info.x, c.x) << c.buttons.size();
    EXPECT_EQ(info.y, c.y) << c.buttons.size();
    EXPECT_EQ(info.buttons, c.bits) << c.buttons.size();
  }
}

// ---------------------------------------------------------------- audio

TEST(SdlAudioFormat, FollowsTheFmtChunk) {
  using platform::WaveFormat;
  struct Case {
    WaveFormat format;
    std::optional<SDL_AudioFormat> expected;
  };
  const Case cases[] = {
      {{1, 1, 8000, 8000, 1, 8}, AUDIO_U8},
      {{1, 2, 44100, 176400, 4, 16}, AUDIO_S16LSB},
      {{1, 2, 48000, 384000, 8, 32}, AUDIO_S32LSB},
      {{3, 1, 48000, 192000, 4, 32}, AUDIO_F32LSB},
      {{2, 1, 8000, 4000, 1, 4}, std::nullopt},    // compressed
      {{1, 1, 8000, 24000, 3, 24}, std::nullopt},  // SDL has no 24-bit samples
      {{1, 0, 8000, 8000, 1, 8}, std::nullopt},    // no channels
      {{1, 9, 8000, 72000, 9, 8}, std::nullopt},   // too many channels
      {{1, 1, 0, 0, 1, 8}, std::nullopt},          // no rate
      {{1, 2, 8000, 16000, 1, 8}, std::nullopt},   // block size contradicts the rest
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::sdl::SampleFormat(c.format), c.expected)
        << c.format.formatTag << "/" << c.format.channels << "/" << c.format.bitsPerSample;
  }
}

TEST_F(SdlPlatformTest, AudioLoopsTheBufferFromItsStartWithoutAGap) {
  const std::filesystem::path out = testing_support::MakeTempDir() / "audio.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
  // No byte is 0x80, the silence the device writes before it starts playing.
  std::vector<uint8_t> samples(1001);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i * 7 % 0x80);
  {
    SdlPlatform platform;
    ASSERT_TRUE(platform.OpenAudio({1, 1, 8000, 8000, 1, 8}, samples));
    platform.PlayAudioLoop();
    // Three loops and a bit, at 8000 bytes a second.
    for (int waited = 0; waited < 5000; waited += 20) {
      if (std::filesystem::exists(out) && std::filesystem::file_size(out) > 3500 + 2048) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  const std::string bytes = testing_support::ReadFile(out);
  const size_t start = bytes.find_first_not_of('\x80');
  ASSERT_NE(start, std::string::npos);
  ASSERT_GT(bytes.size() - start, 3 * samples.size());
  for (size_t i = start; i < bytes.size(); ++i) {
    ASSERT_EQ(static_cast<uint8_t>(bytes[i]), samples[(i - start) % samples.size()]) << "byte " << i - start;
  }
}

TEST_F(SdlPlatformTest, AudioRefusesWhatItCannotPlay) {
  SdlPlatform platform;
  const std::vector<uint8_t> samples(100, 1);
  EXPECT_FALSE(platform.OpenAudio({1, 1, 8000, 8000, 1, 8}, {}));
  EXPECT_FALSE(platform.OpenAudio({1, 2, 8000, 32000, 4, 16}, std::span(samples).first(3)));  // not one frame
  EXPECT_FALSE(platform.OpenAudio({2, 1, 8000, 4000, 1, 4}, samples));
  EXPECT_TRUE(platform.OpenAudio({1, 1, 8000, 8000, 1, 8}, samples));
}

TEST_F(SdlPlatformTest, NoAudioOutputIsReportedNotFatal) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlPlatform platform;
  const std::vector<uint8_t> samples(100, 1);
  EXPECT_FALSE(platform.OpenAudio({1, 1, 8000, 8000, 1, 8}, samples));
  platform.PlayAudioLoop();  // harmless without a device
}

// ---------------------------------------------------------------- video

TEST(SdlPage, ConvertsThroughThePaletteIntoPaddedRows) {
  platform::Palette palette{};
  palette[1] = {255, 0, 0};
  palette[2] = {1, 2, 3};
  palette[255] = {255, 255, 255};
  std::vector<uint8_t> page(640 * 480, 0);
  page[0] = 1;
  page[639] = 2;
  page[640] = 2;  // second of a pair, first of the next row
  page[479 * 640 + 5] = 255;
  constexpr int kPitch = 640 * 4 + 16;  // padding the conversion must not touch
  std::vector<uint8_t> pixels(static_cast<size_t>(kPitch) * 480, 0xAB);
  platform::PageConverter converter;
  const auto at = [&](int x, int y) {
    uint32_t v;
    std::memcpy(&v, pixels.data() + static_cast<size_t>(y) * kPitch + static_cast<size_t>(x) * 4, 4);
    return v;
  };
  converter.Convert(page, palette, pixels.data(), kPitch);
  EXPECT_EQ(at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(at(639, 0), 0xFF010203u);
  EXPECT_EQ(at(0, 1), 0xFF010203u);
  EXPECT_EQ(at(1, 0), 0xFF000000u);
  EXPECT_EQ(at(5, 479), 0xFFFFFFFFu);
  EXPECT_EQ(pixels[640 * 4], 0xAB);
  EXPECT_EQ(pixels[static_cast<size_t>(kPitch) * 480 - 1], 0xAB);
  // A new palette is seen at once, though the converter keeps tables between pages.
  palette[1] = {0, 0, 255};
  converter.Convert(page, palette, pixels.data(), kPitch);
  EXPECT_EQ(at(0, 0), 0xFF0000FFu);
  // Every pair of values lands in its own place.
  for (size_t i = 0; i < page.size(); ++i) page[i] = static_cast<uint8_t>(i * 7 + i / 640);
  for (size_t i = 0; i < 256; ++i) palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 3)};
  converter.Convert(page, palette, pixels.data(), kPitch);
  for (int y = 0; y < 480; y += 7) {
    for (int x = 0; x < 640; ++x) ASSERT_EQ(at(x, y), platform::Argb(palette[page[static_cast<size_t>(y) * 640 + x]]));
  }
}

TEST_F(SdlPlatformTest, VideoComesUpInBothModes) {
  for (const bool fullScreen : {false, true}) {
    SdlPlatform platform;
    EXPECT_EQ(platform.InitVideo(fullScreen), platform::VideoResult::NoDevice) << "before the window";
    ASSERT_TRUE(platform.CreateMainWindow({}));
    ASSERT_EQ(platform.InitVideo(fullScreen), platform::VideoResult::Ok);
    platform.ShowMainWindow();
  }
}

// A clock that only moves when slept on or read: the pacer's decisions
// without real time passing.
struct FakeClock {
  uint64_t ticks = 0;
  int sleeps = 0;
  platform::sdl::PacerClock Clock(uint64_t frequency) {
    return {[this] { return ticks++; }, [this, frequency](uint32_t ms) {
              ++sleeps;
              ticks += ms * frequency / 1000;
            },
            frequency};
  }
};

TEST(SdlFramePacer, TimedPresentsLandOnTheSixtyHertzSchedule) {
  FakeClock clock;
  platform::sdl::FramePacer pacer(false, clock.Clock(60000));  // 1000 ticks a frame
  ASSERT_TRUE(pacer.Timed());
  for (uint64_t frame = 1; frame <= 5; ++frame) {
    pacer.Wait();
    EXPECT_GE(clock.ticks, 1000 * frame) << "never early";
    EXPECT_LT(clock.ticks, 1000 * frame + 20) << "and not late";
  }
  EXPECT_GT(clock.sleeps, 0) << "the bulk of the wait sleeps rather than spins";
  // A frame that ran long starts a new schedule instead of rushing the next ones.
  clock.ticks += 5000;
  pacer.Wait();
  const uint64_t resumed = clock.ticks;
  pacer.Wait();
  EXPECT_GE(clock.ticks, resumed + 990);
}

TEST(SdlFramePacer, VsyncThatDoesNotWaitFallsBackToTheClock) {
  for (const uint64_t ticksPerPresent : {0u, 1000u}) {
    FakeClock clock;
    platform::sdl::FramePacer pacer(true, clock.Clock(60000));
    for (int i = 0; i < 10; ++i) {
      clock.ticks += ticksPerPresent;
      pacer.Wait();
    }
    EXPECT_EQ(pacer.Timed(), ticksPerPresent == 0) << ticksPerPresent;
  }
}

// ---------------------------------------------------------------- messages

struct RecordingHandler : platform::WindowHandler {
  explicit RecordingHandler(SdlPlatform& p) : platform(p) {}
  void OnLButtonDown() override { ++left; }
  void OnRButtonDown() override {
    ++right;
    platform.PostClose();
  }
  SdlPlatform& platform;
  int left = 0, right = 0;
};

void PushClick(Uint8 button) {
  SDL_Event event{};
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.button = button;
  event.button.state = SDL_PRESSED;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

TEST_F(SdlPlatformTest, MessageLoopDispatchesClicksBetweenIdleCalls) {
  SdlPlatform platform;
  ASSERT_TRUE(platform.CreateMainWindow({}));
  ASSERT_EQ(platform.InitVideo(false), platform::VideoResult::Ok);
  RecordingHandler handler(platform);
  PushClick(SDL_BUTTON_LEFT);  // before the loop: start-up input, dropped
  int calls = 0;
  platform.RunMessageLoop(handler, [&] {
    ++calls;
    if (calls == 1) {
      EXPECT_EQ(handler.left, 0);
      PushClick(SDL_BUTTON_LEFT);
    } else if (calls == 2) {
      EXPECT_EQ(handler.left, 1);
      PushClick(SDL_BUTTON_RIGHT);  // closes before the next idle call
    }
    return calls < 10;
  });
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(handler.left, 1);
  EXPECT_EQ(handler.right, 1);
}

TEST_F(SdlPlatformTest, QuitEventAndPostedCloseEndTheLoop) {
  // A close posted by an idle call that wants no more idle time must not
  // leave the loop waiting for an event that never comes.
  for (const auto& [byQuit, moreIdle] : {std::pair{true, true}, std::pair{false, true}, std::pair{false, false}}) {
    SdlPlatform platform;
    ASSERT_TRUE(platform.CreateMainWindow({}));
    RecordingHandler handler(platform);
    int calls = 0;
    platform.RunMessageLoop(handler, [&, byQuit = byQuit, moreIdle = moreIdle] {
      if (++calls == 3) {
        if (byQuit) {
          SDL_Event quit{};
          quit.type = SDL_QUIT;
          SDL_PushEvent(&quit);
        } else {
          platform.PostClose();  // the frame that asks still finishes
          return moreIdle;
        }
      }
      return true;
    });
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(handler.right, 0);
  }
}

TEST_F(SdlPlatformTest, MessageBoxTextGoesToStandardError) {
  SdlPlatform platform;
  ASSERT_TRUE(platform.CreateMainWindow({}));
  testing::internal::CaptureStderr();
  platform.ShowMessageBox("ERROR BITMAP LOADING");  // no screen: must not wait for a click
  EXPECT_NE(testing::internal::GetCapturedStderr().find("ERROR BITMAP LOADING"), std::string::npos);
}

TEST_F(SdlPlatformTest, SettingsDialogWithoutDisplayKeepsTheChoices) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  SdlPlatform platform;
  int32_t fullScreen = 1, keyboard = 0;  // not the dialog's own initial values
  testing::internal::CaptureStderr();
  platform.RunSettingsDialog(fullScreen, keyboard);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("warning"), std::string::npos);
  EXPECT_EQ(fullScreen, 1);
  EXPECT_EQ(keyboard, 0);
}

}  // namespace
