// The SDL backend without a screen: SDL's dummy video, virtual joysticks and
// the disk audio driver stand in for the devices.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <span>
#include <thread>
#include <tuple>
#include <vector>

#include "app/controls.hpp"
#include "input/keyboard.hpp"
#include "platform/common/page_convert.hpp"
#include "platform/sdl/sdl_platform.hpp"
#include "test_support.hpp"

namespace {

using platform::sdl::SdlPlatform;
namespace sdl = platform::sdl;

constexpr WaveFormat kU8Mono{1, 1, 8000, 8000, 1, 8};

// Every test starts from its own environment: drivers chosen before SDL reads them.
class SdlPlatformTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
};

// ---------------------------------------------------------------- keyboard

// The default table gives the keys the game always had; a player's table
// gives the game the same keys from others (fire on Z reaches it as Space).
TEST_F(SdlPlatformTest, KeysReachTheGameAsItsOwnThroughThePlayersTable) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);  // the keyboard's layout
  Controls mine = DefaultControls();
  ASSERT_EQ(mine.keyboard.Bind(GameAction::Fire, "Z"), std::nullopt);
  ASSERT_EQ(mine.keyboard.Bind(GameAction::Bomb, "X"), std::nullopt);
  ASSERT_EQ(mine.keyboard.Bind(GameAction::Up, "Space"), std::nullopt);
  const sdl::KeyMap defaults(DefaultControls().keyboard), remapped(mine.keyboard);
  struct Case {
    std::vector<SDL_Scancode> down;
    std::vector<int> held;  // in virtual key order
    bool remap = false;
    size_t stateLength = SDL_NUM_SCANCODES;
  };
  const Case cases[] = {
      {{SDL_SCANCODE_SPACE}, {VK_SPACE}},
      {{SDL_SCANCODE_LSHIFT}, {VK_SHIFT}},
      {{SDL_SCANCODE_RSHIFT}, {VK_SHIFT}},
      {{SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT}, {VK_SHIFT}},
      {{SDL_SCANCODE_ESCAPE}, {VK_ESCAPE}},
      {{SDL_SCANCODE_LEFT, SDL_SCANCODE_UP}, {VK_LEFT, VK_UP}},
      {{SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN, SDL_SCANCODE_SPACE}, {VK_SPACE, VK_RIGHT, VK_DOWN}},
      {{SDL_SCANCODE_A, SDL_SCANCODE_RETURN, SDL_SCANCODE_LCTRL, SDL_SCANCODE_Z}, {}},  // not the game's
      // SDL's state array may end before Space and the arrows: what lies past it is not read.
      {{SDL_SCANCODE_ESCAPE, SDL_SCANCODE_SPACE, SDL_SCANCODE_LEFT}, {VK_ESCAPE}, false, SDL_SCANCODE_SPACE},
      {{SDL_SCANCODE_Z, SDL_SCANCODE_X}, {VK_SHIFT, VK_SPACE}, true},
      {{SDL_SCANCODE_SPACE, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_UP}, {VK_UP}, true},
      {{SDL_SCANCODE_ESCAPE, SDL_SCANCODE_LEFT}, {VK_ESCAPE, VK_LEFT}, true},
  };
  for (const Case& c : cases) {
    std::vector<Uint8> scancodes(SDL_NUM_SCANCODES, 0);
    for (SDL_Scancode code : c.down) scancodes[code] = 1;
    uint8_t keys[256];
    std::fill(std::begin(keys), std::end(keys), uint8_t{0x55});  // stale bytes must go
    (c.remap ? remapped : defaults).Fill(std::span(scancodes).first(c.stateLength), keys);
    std::vector<int> held;
    for (int vk = 0; vk < 256; ++vk) {
      EXPECT_TRUE(keys[vk] == 0 || keys[vk] == 0x80) << vk;
      if (keys[vk] != 0) held.push_back(vk);
    }
    EXPECT_EQ(held, c.held) << "case " << &c - cases;
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
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
};

enum PadButton {
  A = SDL_CONTROLLER_BUTTON_A, B = SDL_CONTROLLER_BUTTON_B, X = SDL_CONTROLLER_BUTTON_X, Y = SDL_CONTROLLER_BUTTON_Y,
  Back = SDL_CONTROLLER_BUTTON_BACK, Start = SDL_CONTROLLER_BUTTON_START, Misc = SDL_CONTROLLER_BUTTON_MISC1,
  RightShoulder = SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, Up = SDL_CONTROLLER_BUTTON_DPAD_UP,
  Down = SDL_CONTROLLER_BUTTON_DPAD_DOWN, Left = SDL_CONTROLLER_BUTTON_DPAD_LEFT,
  Right = SDL_CONTROLLER_BUTTON_DPAD_RIGHT
};

SDL_JoystickID PlugInPad() {
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                              SDL_CONTROLLER_BUTTON_MAX, 0);
  return SDL_JoystickGetDeviceInstanceID(index);
}

// SDL finds by instance only a device someone holds open: the platform must.
void Press(SDL_JoystickID id, std::initializer_list<int> buttons, std::initializer_list<Sint16> axes = {}) {
  SDL_Joystick* device = SDL_JoystickFromInstanceID(id);
  ASSERT_NE(device, nullptr) << "not opened";
  int axis = 0;
  for (const Sint16 value : axes) SDL_JoystickSetVirtualAxis(device, axis++, value);
  for (int b = 0; b < SDL_JoystickNumButtons(device); ++b) {
    SDL_JoystickSetVirtualButton(device, b, std::count(buttons.begin(), buttons.end(), b) ? SDL_PRESSED : SDL_RELEASED);
  }
}

// A joystick SDL has no mapping for reads its axes and buttons as they come,
// in the classic range. Unplugged, it reads nothing; the next one plugged in
// is read instead.
TEST_F(SdlJoystickTest, PlainSticksReadInTheClassicRangeAndComeAndGo) {
  ASSERT_EQ(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 3, 4, 0), 0);
  SdlPlatform platform;
  JoyCaps caps{};
  ASSERT_TRUE(platform.OpenJoystick(caps));
  EXPECT_EQ(std::tuple(caps.xMin, caps.xMax, caps.yMin, caps.yMax), std::tuple(0u, 65535u, 0u, 65535u));
  const struct {
    bool replug;  // unplugged and a new one plugged in first
    std::initializer_list<Sint16> axes;
    std::initializer_list<int> pressed;
    uint32_t x, y, buttons;
  } cases[] = {
      {false, {0, 0, 0}, {}, 32768, 32768, 0},
      {false, {-32768, 32767, -1}, {0}, 0, 65535, 1},
      {false, {32767, -32768, 1}, {1, 3}, 65535, 0, 10},
      {false, {100, -100, 0}, {0, 2}, 32868, 32668, 5},
      {true, {0, 0, 0}, {1}, 32768, 32768, 2},
  };
  for (const auto& c : cases) {
    if (c.replug) {
      SDL_JoystickDetachVirtual(0);
      EXPECT_FALSE(platform.PollJoystick().attached) << "unplugged";
      ASSERT_EQ(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 3, 4, 0), 0);
      ASSERT_TRUE(platform.PollJoystick().attached) << "opens the new one";
    }
    Press(SDL_JoystickGetDeviceInstanceID(0), c.pressed, c.axes);
    EXPECT_EQ(platform.PollJoystick(), (JoyReading{true, c.x, c.y, c.buttons})) << "case " << &c - cases;
  }
}

// A pad plugged in at any time is read; the first one a button is pressed on
// is the one read while it stays; unplugged, what is left is read. The
// player's table makes the word the game reads: fire's and bomb's buttons
// are buttons 1 and 2, those of directions steer (over the stick, adding no
// bits), exit's is the Escape key, every other button is its own bit in SDL's
// order, so that south and west together neither fire nor start.
TEST_F(SdlJoystickTest, PadsComeAndGoAndTheFirstPressedIsRead) {
  Controls mine = DefaultControls();
  for (const auto& [action, button] : {std::pair{GameAction::Fire, "x"}, {GameAction::Bomb, "a"},
                                       {GameAction::Up, "y"}, {GameAction::Exit, "back"}}) {
    ASSERT_EQ(mine.gamepad.Bind(action, button), std::nullopt) << button;
  }
  SdlPlatform platform(sdl::SdlSettings{.controls = mine});
  JoyCaps caps{};
  ASSERT_TRUE(platform.OpenJoystick(caps)) << "with none plugged in yet";
  uint8_t keys[256];
  EXPECT_FALSE(platform.ReadInput(keys).attached);
  const SDL_JoystickID first = PlugInPad();
  EXPECT_TRUE(platform.PollJoystick().attached);
  SDL_JoystickSetVirtualAxis(SDL_JoystickFromInstanceID(first), SDL_CONTROLLER_AXIS_LEFTX, 32767);
  const SDL_JoystickID second = PlugInPad();
  EXPECT_EQ(platform.PollJoystick().x, 65535u) << "the first plugged in, until a button is pressed";
  Press(second, {X});
  EXPECT_EQ(platform.PollJoystick(), (JoyReading{true, 32768, 32768, 1}));
  Press(first, {A});
  const struct {
    std::initializer_list<int> pressed;
    uint32_t y, buttons;
    bool exit;
  } cases[] = {
      {{}, 32768, 0, false},     {{X}, 32768, 1, false},      {{A}, 32768, 2, false},
      {{A, X}, 32768, 3, false}, {{B}, 32768, 1u << 22, false},  // east has a bit of its own, past every button's
      {{Y}, 0, 0, false},        {{Up}, 32768, 0, false},     {{Back}, 32768, 0, true},
      {{Start, X}, 32768, 1 | 1u << 6, false},
  };
  for (const auto& c : cases) {
    Press(second, c.pressed);
    const JoyReading read = platform.ReadInput(keys);
    EXPECT_EQ(read, (JoyReading{true, 32768, c.y, c.buttons})) << "case " << &c - cases;
    EXPECT_EQ(keys[VK_ESCAPE] != 0, c.exit) << "case " << &c - cases;
  }
  SDL_JoystickDetachVirtual(1);
  EXPECT_EQ(platform.PollJoystick(), (JoyReading{true, 65535, 32768, 2})) << "the first, bomb held";
  SDL_JoystickDetachVirtual(0);
  EXPECT_FALSE(platform.PollJoystick().attached);
  const SDL_JoystickID third = PlugInPad();
  EXPECT_EQ(platform.PollJoystick(), (JoyReading{true, 32768, 32768, 0})) << "plugged back in";

  // The menu's pad page: a button pressed is named, a bound one fires from then on.
  platform.PumpEvents();
  Press(third, {B});
  platform.PollJoystick();
  EXPECT_EQ(platform.PumpEvents().buttonName, "b");
  EXPECT_EQ(platform.Bind(ControlDevice::Pad, 4, "y"), "y taken by up");
  EXPECT_EQ(platform.Bind(ControlDevice::Pad, 4, "b"), "");
  EXPECT_EQ(platform.ActionNames(ControlDevice::Pad)[4], "b");
  EXPECT_EQ(platform.PollJoystick().buttons, 1u);

  // A reset brings the pad's own table back, the keys untouched.
  platform.ResetControls(ControlDevice::Pad);
  EXPECT_EQ(platform.ActionNames(ControlDevice::Keyboard)[4], "Space");
  const struct {
    std::initializer_list<int> pressed;
    std::initializer_list<Sint16> stick;
    uint32_t x, y, buttons;
  } defaults[] = {
      {{A}, {0, 0}, 32768, 32768, 1},
      {{A, B}, {0, 0}, 32768, 32768, 3},
      {{A, X}, {0, 0}, 32768, 32768, 5},
      {{Y}, {32767, -32768}, 65535, 0, 8},
      {{RightShoulder, Misc}, {0, 0}, 32768, 32768, (1u << 10) | (1u << 15)},
      {{Left, Up, A}, {0, 0}, 0, 0, 1},
      {{Right, Down}, {0, 0}, 65535, 65535, 0},
      {{Right, Up}, {-32768, 32767}, 65535, 0, 0},
  };
  for (const auto& c : defaults) {
    Press(third, c.pressed, c.stick);
    EXPECT_EQ(platform.PollJoystick(), (JoyReading{true, c.x, c.y, c.buttons})) << "default " << &c - defaults;
  }
}

// The player's own mappings make a joystick SDL does not know a pad; lines
// for other systems are left to them, and one SDL refuses is named.
TEST_F(SdlJoystickTest, ThePlayersOwnMappingsAreAdded) {
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
  char guid[33];
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
  const std::string id = std::string(guid).replace(4, 4, "0000");
  const std::string path = (testing_support::MakeTempDir() / "gamecontrollerdb.txt").string();
  testing_support::WriteFile(path, "# mine\r\n" + id + ",Stick,a:b3,b:b2,leftx:a0,lefty:a1,platform:Linux,\r\n" +
                                       "not a mapping\n" + id + ",Stick,a:b0,platform:Windows,\n");
  SdlPlatform platform(sdl::SdlSettings{.padMappings = path});
  JoyCaps caps{};
  testing::internal::CaptureStderr();
  ASSERT_TRUE(platform.OpenJoystick(caps));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("kestrova: warning: " + path + ":3: "), std::string::npos) << said;
  EXPECT_EQ(said.find(":4:"), std::string::npos) << said;
  Press(SDL_JoystickGetDeviceInstanceID(index), {0, 3});
  EXPECT_EQ(platform.PollJoystick().buttons, 1u) << "b3 is south; b0 nothing";
}

// ---------------------------------------------------------------- audio

// What the mixer cannot decode (its own test has the formats), what no device
// plays and a missing device are refused and reported, harmlessly: the game
// plays on without music.
TEST_F(SdlPlatformTest, AudioOpensTheFormatsTheMixerPlays) {
  const std::vector<uint8_t> samples(100, 1);
  struct Case {
    WaveFormat format;
    bool opens;
    size_t bytes = 100;
    const char* driver = "dummy";
  };
  const Case cases[] = {
      {kU8Mono, true},
      {{1, 2, 44100, 176400, 4, 16}, true},
      {{1, 0, 8000, 8000, 1, 8}, false},      // no channels
      {{1, 9, 8000, 72000, 9, 8}, false},     // too many channels
      {{1, 1, 0, 0, 1, 8}, false},            // no rate
      {{1, 2, 8000, 16000, 1, 8}, false},     // block size contradicts the rest
      {kU8Mono, false, 0},                    // no samples
      {kU8Mono, false, 100, "no-such-driver"},
  };
  for (const Case& c : cases) {
    setenv("SDL_AUDIODRIVER", c.driver, 1);
    SdlPlatform platform;
    EXPECT_EQ(platform.OpenAudio(c.format, std::span(samples).first(c.bytes)), c.opens) << "case " << &c - cases;
    platform.PlayAudioLoop();
    platform.StartEffect(0);  // harmless without effects or a device
  }
}

// The music loops from its start without a gap, exactly as stored; an effect
// started with it sounds on top; the player's volume scales both.
TEST_F(SdlPlatformTest, AudioPlaysTheMusicExactlyWithEffectsOnTop) {
  // No byte is 0x80, which would be 0, the silence before playing starts; no
  // loop ends on a device buffer.
  std::vector<uint8_t> music(1001);
  for (size_t i = 0; i < music.size(); ++i) music[i] = static_cast<uint8_t>(i * 7 % 0x80);
  const std::vector<uint8_t> effect = {0x90, 0xA0, 0x88};
  const auto musicAt = [&](size_t i) { return (music[i % music.size()] - 128) * 256; };

  // The 16-bit samples the disk driver receives, from the first sound on: more than two device buffers past
  // three loops of the music.
  const std::filesystem::path out = testing_support::MakeTempDir() / "audio.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
  {
    SdlPlatform platform(platform::sdl::SdlSettings{.scale = 1, .audio = {50, false}});
    ASSERT_TRUE(platform.OpenAudio(kU8Mono, music));
    platform.LoadEffect(3, effect);
    platform.StartEffect(3);
    platform.PlayAudioLoop();
    for (int waited = 0; waited < 5000; waited += 20) {
      if (std::filesystem::exists(out) && std::filesystem::file_size(out) > 2 * (3 * music.size() + 4096)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  const std::string bytes = testing_support::ReadFile(out);
  std::vector<int16_t> played(bytes.size() / 2);
  std::memcpy(played.data(), bytes.data(), played.size() * 2);
  played.erase(played.begin(), std::find_if(played.begin(), played.end(), [](int16_t s) { return s != 0; }));
  ASSERT_GT(played.size(), 3 * music.size());
  EXPECT_EQ(played[0], (musicAt(0) + 0x10 * 256) / 2);
  EXPECT_EQ(played[1], (musicAt(1) + 0x20 * 256) / 2);
  EXPECT_EQ(played[2], (musicAt(2) + 0x08 * 256) / 2);
  for (size_t i = 3; i < played.size(); ++i) ASSERT_EQ(played[i], musicAt(i) / 2) << "sample " << i;
}

// ---------------------------------------------------------------- video

TEST(SdlVideo, PagesConvertThroughThePaletteIntoPaddedRowsAndCpuRasterizersAreKnown) {
  EXPECT_EQ(platform::Argb({1, 2, 3}), 0xFF010203u);
  // Adjacent pixels differ, and no row repeats its neighbour.
  std::vector<uint8_t> page(640 * 480);
  for (size_t i = 0; i < page.size(); ++i) page[i] = static_cast<uint8_t>(i * 7 + i / 640);
  Palette palette{};
  for (size_t i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3)};
  constexpr int kPitch = 640 * 4 + 16;  // padding the conversion must not touch
  std::vector<uint8_t> pixels(static_cast<size_t>(kPitch) * 480, 0xAB);
  platform::PageConverter converter;
  const auto expectPage = [&] {
    for (size_t y = 0; y < 480; ++y) {
      const uint8_t* row = pixels.data() + y * kPitch;
      for (size_t x = 0; x < 640; ++x) {
        uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        ASSERT_EQ(v, platform::Argb(palette[page[y * 640 + x]])) << x << ", " << y;
      }
      ASSERT_TRUE(std::all_of(row + 640 * 4, row + kPitch, [](uint8_t b) { return b == 0xAB; })) << "row " << y;
    }
  };
  converter.Convert(page, palette, pixels.data(), kPitch);
  expectPage();
  // The converter keeps its tables between pages, yet a new palette is seen at once.
  palette[page[0]] = {0, 0, 255};
  converter.Convert(page, palette, pixels.data(), kPitch);
  expectPage();

  // Only Mesa's CPU rasterizers give way to the software renderer.
  using platform::sdl::IsCpuRasterizer;
  EXPECT_TRUE(IsCpuRasterizer("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsCpuRasterizer("softpipe"));
  EXPECT_TRUE(IsCpuRasterizer("Mesa X11 Software Rasterizer"));
  EXPECT_FALSE(IsCpuRasterizer("AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-18-amd64)"));
  EXPECT_FALSE(IsCpuRasterizer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(IsCpuRasterizer(""));
}

// A clock that moves only when the test or a sleep moves it; a sleep wakes
// `oversleep` after its deadline, as a busy scheduler would.
struct FakeClock {
  uint64_t now = 0;
  uint64_t oversleep = 0;
  std::vector<uint64_t> deadlines;
  platform::sdl::PacerClock Clock() {
    return {[this] { return now; },
            [this](uint64_t deadline) {
              deadlines.push_back(deadline);
              now = std::max(now, deadline) + oversleep;
            }};
  }
};

constexpr uint64_t kMillisecond = 1'000'000;

// Frame n's deadline in a schedule begun at `start`.
uint64_t Tick(uint64_t start, uint64_t n) { return start + n * 1'000'000'000 / 60; }

TEST(SdlFramePacer, TimedPresentsKeepTheSixtyHertzScheduleLateOnesCatchUpAndVsyncThatDoesNotWaitUsesIt) {
  FakeClock clock;
  clock.now = 7;
  clock.oversleep = kMillisecond / 2;
  platform::sdl::FramePacer pacer(false, clock.Clock());
  ASSERT_TRUE(pacer.Timed());
  for (uint64_t frame = 1; frame <= 120; ++frame) {
    clock.now += 3 * kMillisecond;  // the frame's work
    pacer.Wait();
  }
  ASSERT_EQ(clock.deadlines.size(), 120u) << "every frame sleeps once, none spins";
  // Late wake-ups and the 16.666... ms step never shift the schedule.
  for (uint64_t frame = 1; frame <= 120; ++frame) EXPECT_EQ(clock.deadlines[frame - 1], Tick(7, frame)) << frame;
  EXPECT_EQ(clock.deadlines.back(), 7 + 2'000'000'000u);

  // Late by less than a frame: no sleep now, the old schedule holds.
  clock.now = Tick(7, 121) + 10 * kMillisecond;
  pacer.Wait();
  pacer.Wait();
  ASSERT_EQ(clock.deadlines.size(), 121u);
  EXPECT_EQ(clock.deadlines.back(), Tick(7, 122));
  // Late by more than a frame: the next frame comes a whole frame after this one.
  clock.now = Tick(7, 123) + 20 * kMillisecond;
  const uint64_t resumed = clock.now;
  pacer.Wait();
  pacer.Wait();
  ASSERT_EQ(clock.deadlines.size(), 122u);
  EXPECT_EQ(clock.deadlines.back(), Tick(resumed, 1));

  // A vsync'd present that does not wait falls back to the clock.
  for (const uint64_t perPresent : {uint64_t{0}, Tick(0, 1)}) {
    FakeClock vsynced;
    platform::sdl::FramePacer vsync(true, vsynced.Clock());
    for (int i = 0; i < 10; ++i) {
      vsynced.now += perPresent;
      vsync.Wait();
    }
    EXPECT_EQ(vsync.Timed(), perPresent == 0) << perPresent;
    EXPECT_TRUE(vsynced.deadlines.empty()) << "a vsync'd present has waited already";
    const uint64_t fellBack = vsynced.now;
    vsync.Wait();
    EXPECT_EQ(vsynced.deadlines.size(), vsync.Timed() ? 1u : 0u) << perPresent;
    if (vsync.Timed()) {
      EXPECT_EQ(vsynced.deadlines.back(), Tick(fellBack, 1));
    }
  }
}

// ---------------------------------------------------------------- events

void Push(Uint32 type, Uint8 detail = 0) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_MOUSEBUTTONDOWN) event.button.button = detail;
  if (type == SDL_WINDOWEVENT) event.window.event = detail;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

// Video comes up full screen, and the view leaves it. What the waiting
// events mean for the game; clicks made while start-up ran are dropped, and
// of several focus changes the last counts. Alt+Enter and F11 switch the
// window and the whole screen on a fresh press only: a held key's repeats
// leave it as it is; Enter alone and F1 ask for the menu.
TEST_F(SdlPlatformTest, EventsTellClicksClosingTheFocusAndThePlayersKeys) {
  SdlPlatform platform;
  EXPECT_EQ(platform.InitVideo(true), platform::VideoResult::NoDevice) << "before the window";
  ASSERT_TRUE(platform.CreateMainWindow({}));
  ASSERT_EQ(platform.InitVideo(true), platform::VideoResult::Ok);
  platform.ShowMainWindow();
  EXPECT_TRUE(platform.View().fullScreen);
  platform.SetView(PlayerView{});
  Push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  platform.DropStartUpClicks();
  const struct {
    std::vector<std::pair<Uint32, Uint8>> events;
    bool close, left, right;
    std::optional<bool> focused;
  } cases[] = {
      {{}, false, false, false, std::nullopt},  // the click before start-up ended is gone
      {{{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT}}, false, true, false, std::nullopt},
      {{{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT}}, false, false, true, std::nullopt},
      {{{SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE}}, false, false, false, std::nullopt},
      {{{SDL_QUIT, 0}}, true, false, false, std::nullopt},
      {{{SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE}}, true, false, false, std::nullopt},
      {{{SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST}}, false, false, false, false},
      {{{SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST}, {SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED}},
       false, false, false, true},
      {{{SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED}, {SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST}},
       false, false, false, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    for (const auto& [type, detail] : cases[i].events) Push(type, detail);
    const sdl::WindowEvents events = platform.PumpEvents();
    EXPECT_EQ(std::tuple(events.close, events.leftClick, events.rightClick, events.focused),
              std::tuple(cases[i].close, cases[i].left, cases[i].right, cases[i].focused)) << i;
  }

  const struct {
    SDL_Keycode key;
    Uint16 mod;
    Uint8 repeat;
    bool fullScreen;  // afterwards
    bool menu;
  } presses[] = {{SDLK_RETURN, KMOD_NONE, 0, false, true}, {SDLK_RETURN, KMOD_LALT, 0, true, false},
                 {SDLK_RETURN, KMOD_LALT, 1, true, false}, {SDLK_F11, KMOD_NONE, 0, false, false},
                 {SDLK_F11, KMOD_NONE, 1, false, false},   {SDLK_KP_ENTER, KMOD_RALT, 0, true, false},
                 {SDLK_F1, KMOD_NONE, 0, true, true},      {SDLK_RETURN, KMOD_NONE, 1, true, false}};
  for (size_t i = 0; i < std::size(presses); ++i) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = presses[i].key;
    event.key.keysym.mod = presses[i].mod;
    event.key.repeat = presses[i].repeat;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    EXPECT_EQ(platform.PumpEvents().menu, presses[i].menu) << "press " << i;
    EXPECT_EQ(platform.View().fullScreen, presses[i].fullScreen) << "after press " << i;
  }
  platform.SetView(PlayerView{false, true});
  EXPECT_EQ(platform.View(), (PlayerView{false, true}));
}

// Nothing waits for a player who cannot see it; standard error has the text.
TEST_F(SdlPlatformTest, WithoutAScreenDialogAndMessageBoxOnlyReport) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  SdlPlatform platform;
  int32_t fullScreen = 1, keyboard = 0;  // not the dialog's own initial values
  testing::internal::CaptureStderr();
  platform.RunSettingsDialog(fullScreen, keyboard);
  ASSERT_TRUE(platform.CreateMainWindow({}));
  platform.ShowMessageBox("ERROR BITMAP LOADING");
  const std::string stderrText = testing::internal::GetCapturedStderr();
  EXPECT_NE(stderrText.find("warning"), std::string::npos);
  EXPECT_NE(stderrText.find("ERROR BITMAP LOADING"), std::string::npos);
  EXPECT_TRUE(fullScreen == 1 && keyboard == 0);
  EXPECT_EQ(platform.Start(), (StartPrefs{true, "", true, false})) << "the answer, kept for a start without it";

  // Turned off, the dialog gives its last answer without a word.
  SdlPlatform quiet(sdl::SdlSettings{.start = {false, "ja", false, true}});
  testing::internal::CaptureStderr();
  quiet.RunSettingsDialog(fullScreen, keyboard);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(fullScreen == 0 && keyboard == 1);
  EXPECT_EQ(quiet.SetStart(true, "en"), "");
  EXPECT_TRUE(quiet.DialogAtStart() && quiet.Language() == "en");
}

}  // namespace
