// A whole game on the headless platform, with its data in a fresh temporary
// folder, for tests that drive it frame by frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/controls.hpp"
#include "app/game_app.hpp"
#include "app/input_script.hpp"
#include "app/replay.hpp"
#include "platform/platform.hpp"
#include "ui/core.hpp"

namespace testing_support {

struct DataFiles {
  std::string data;   // data.csv
  std::string stage;  // Stage1.csv
  std::string chr;    // char.csv
};

// A fresh, empty folder under the test temp dir.
std::filesystem::path MakeTempDir();
// The repository's own data folder (read only).
std::filesystem::path RepoDataDir();
void WriteFile(const std::filesystem::path& path, const std::string& text);
std::string ReadFile(const std::filesystem::path& path);

// kestrova-sim on the repository's data with `arguments`: its exit status
// (-1 when it did not exit) and what it printed.
struct SimRun {
  int status = -1;
  std::string output;
};
SimRun RunSim(const std::string& arguments);
// A map of 500 x 20 tiles, every one at (x, y).
std::string UniformMap(int x, int y);
// The score file as the game writes it: for each of the ten entries its score
// (0 past `scores`) and the further values 1, 2, 3, every value XOR 0x5E, each
// followed by `separator`.
std::string ScoreFileText(const std::vector<int32_t>& scores, char separator = '\n');
// The joystick chosen, a stick of the classic range opened.
inline StartChoices WithStick(int32_t fullScreen = 0) {
  StartChoices choices;
  choices.fullScreen = fullScreen;
  choices.keyboard = 0;
  choices.joystick = JoyCaps{0, 65535, 0, 65535};
  return choices;
}

// A frame's input with exactly `keys` held.
FrameInput Held(const std::vector<uint8_t>& keys);
// A committed replay or script, by its path in the repository.
Replay CommittedReplay(const std::string& path);
// A game on the repository's data, started with `choices`.
Core StartedCore(const StartChoices& choices);

// The built-in sprite sheet, as the game decodes it.
const SpriteSheet& BuiltinSheet();
// Whether every painted pixel of `source`'s `cell`, enlarged `scale` times, is at (x, y) on `page`.
bool ShowsCell(std::span<const uint8_t> page, RECT cell, int x, int y, int scale,
               const Surface& source = BuiltinSheet().pixels);
// The big letter of 'A' to 'Z'.
RECT BigLetterRect(int32_t c);
// Whether `text` is on `page` from (x, y), each character the cell `cellOf` gives, enlarged `scale` times: side by
// side, or `step` pixels apart where a step is given.
::testing::AssertionResult ShowsText(std::span<const uint8_t> page, std::u32string_view text, RECT (*cellOf)(int32_t),
                                     int x, int y, int scale, int step = 0,
                                     const Surface& source = BuiltinSheet().pixels);
// The bytes of a committed file under assets/.
std::vector<uint8_t> ReadAsset(const std::string& name);

// A little-endian 32-bit field written over the bytes at `at`.
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v);
// An uncompressed 8-bit BMP with a 40-byte info header, rows padded to four
// bytes, bottom-up unless `topDown`, from `pixels` (top row first), with
// `colors` palette entries (0: all 256), colour i being (10i, 20i, 30i).
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, const std::vector<uint8_t>& pixels, bool topDown = false,
                             uint32_t colors = 4);

// The platform of a window that shows nothing: it keeps what the game shows
// and says, and fails the start-up steps it is told to.
class FakePlatform final : public platform::Platform {
 public:
  bool failWindow = false;
  platform::VideoResult videoResult = platform::VideoResult::Ok;
  bool failAudio = false;
  std::optional<JoyCaps> stick;  // what OpenJoystick finds

  std::vector<std::string> messages;
  std::string title = "Kestrova App";
  std::vector<uint8_t> lastPage;
  int64_t presents = 0;
  bool audioPlaying = false;
  std::span<const uint8_t> music;  // the samples playing round
  int dialogs = 0;

  bool CreateMainWindow(std::span<const uint8_t>) override { return !failWindow; }
  void ShowMainWindow() override {}
  void SetWindowTitle(const std::string& text) override { title = text; }
  void ShowMessageBox(const std::string& text) override { messages.push_back(text); }
  void RunSettingsDialog(int32_t&, int32_t&) override { ++dialogs; }
  platform::VideoResult InitVideo(bool) override { return videoResult; }
  void Present(std::span<const uint8_t> page, const Palette&) override {
    lastPage.assign(page.begin(), page.end());
    ++presents;
  }
  bool OpenJoystick(JoyCaps& caps) override {
    if (stick) caps = *stick;
    return stick.has_value();
  }
  bool OpenAudio(const WaveFormat&, std::span<const uint8_t> samples) override {
    music = samples;
    return !failAudio;
  }
  void PlayAudioLoop() override { audioPlaying = true; }
  void LoadEffect(size_t, std::span<const uint8_t>) override {}
  void StartEffect(size_t) override {}
  void SwitchMusic(std::span<const uint8_t> samples) override { music = samples; }
  PlayerView View() const override { return view; }
  void SetView(const PlayerView& v) override { view = v; }
  PlayerVolume Volume() const override { return volume; }
  void SetVolume(const PlayerVolume& v) override { volume = v; }
  std::array<std::string, platform::kPlayerActions> ActionNames(ControlDevice device) const override {
    return ::ActionNames(controls.Of(device));
  }
  std::string Bind(ControlDevice device, size_t action, const std::string& name) override {
    return BindForMenu(controls.Of(device), action, name);
  }
  void ResetControls(ControlDevice device) override { controls.Reset(device); }
  bool DialogAtStart() const override { return dialogAtStart; }
  std::string Language() const override { return language; }
  std::string SetStart(bool dialog, const std::string& code) override {
    dialogAtStart = dialog;
    language = code;
    return "";
  }
  bool dialogAtStart = true;
  std::string language;
  void SendRun(std::string replayText) override { sentRuns.push_back(std::move(replayText)); }
  std::vector<std::string> sentRuns;
  PlayerView view;
  PlayerVolume volume;
  Controls controls = DefaultControls();
};

// A whole game without a window, its data in a fresh temporary folder,
// driven frame by frame.
class HeadlessGame {
 public:
  explicit HeadlessGame(const DataFiles& files);
  // Plays with a copy of an existing data folder.
  explicit HeadlessGame(const std::filesystem::path& dataSource);
  ~HeadlessGame();

  // Start-up in window mode with the keyboard unless `choices` say otherwise.
  bool Start(const StartChoices& choices = {});
  // `count` frames with exactly `keys` held, the first after a left click if
  // `click`, the stick reading `stick`.
  void Idle(int count = 1, const std::vector<uint8_t>& keys = {}, bool click = false);
  // Leaves the title screen with Space (one frame, a black page).
  void StartPlay();
  // The game made anew where it stands from start-up's reading, changed:
  // a sheet painted for the test, tables past the checks.
  void Remake(const std::function<void(CoreSetup&)>& change);
  void PaintSheet(const std::function<void(Surface&)>& paint);
  void ChangeData(const std::function<void(GameData&)>& change);
  // The last frame's "FRAME SCREEN PAGEHASH STATEHASH\n".
  std::string LastLine() const;

  PlayState& State() { return core->State(); }
  // Whether the last frame started `effect`.
  bool Sounded(Effect effect) const { return last.sounds.Started(effect); }
  std::span<const uint8_t> Page() const { return last.page; }
  uint8_t PagePixel(int x, int y) const { return last.page[static_cast<size_t>(y) * 640 + static_cast<size_t>(x)]; }
  std::string DataDir() const { return (dir / "data").string(); }
  // The game on this data in a window, with the keyboard.
  AppOptions WindowOptions() const {
    AppOptions options;
    options.fullScreen = 0;
    options.keyboard = 1;
    options.dataDir = DataDir();
    return options;
  }

  std::filesystem::path dir;  // working folder; data files in dir / "data"
  CoreSetup setup;
  std::optional<Core> core;
  FrameOutput last;
  int64_t frames = 0;
  JoyReading stick;  // what the stick reads from the next frame on
};

// A base ahead of the game's, so that the window is made before the game that draws into it.
struct FakeWindow {
  FakePlatform window;
};

// The game in a window that shows nothing, started from `options`.
class WindowedApp : public FakeWindow, public CGameApp {
 public:
  explicit WindowedApp(const AppOptions& options, Resources resources = BuiltinResources(),
                       const Translator& texts = kSourceTexts);
};

}  // namespace testing_support
