// The platform on a desktop: an SDL window, renderer, input and audio, with
// the settings dialog in GTK. The game's loop, in main.cpp, asks it for the
// window's events and each frame's keys and stick.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/controls.hpp"
#include "app/language.hpp"
#include "app/view_settings.hpp"
#include "input/keyboard.hpp"
#include "platform/platform.hpp"
#include "platform/sdl/board_sender.hpp"
#include "platform/sdl/sdl_audio.hpp"
#include "platform/sdl/sdl_input.hpp"
#include "platform/sdl/sdl_video.hpp"

namespace platform::sdl {

struct SdlSettings {
  int32_t scale = 1;  // window mode: the window is this many times 640 x 480
  bool integerScale = false;  // the picture only at whole multiples of 640 x 480
  PlayerVolume audio{};
  bool frameStats = false;  // report the frame intervals on standard error at the end
  Controls controls = DefaultControls();
  std::string padMappings{};  // the player's own game controller mappings, when the file is there
  std::string settingsPath{};  // where controls the menu changes are kept; empty: not kept
  StartPrefs start{};
  std::string boardAddress{};  // the online board runs are sent to; empty: none
  std::string outboxFolder{};  // where runs wait that the board could not take yet
};

// What the waiting events mean for the game; the player's own keys (volume,
// full screen) and a new window size are handled on the way.
struct WindowEvents {
  bool close = false;  // the window's close box, or the system's quit
  bool leftClick = false;
  bool rightClick = false;
  bool menu = false;  // Return (without Alt) or F1: the game's menu
  std::string keyName;  // the last key pressed but those, as SDL names it
  std::string buttonName;  // the last pad button pressed but Start, as SDL names it
  std::optional<bool> focused;  // the focus changed: whether the window has it now
};

class SdlPlatform final : public Platform {
 public:
  // The texts it shows (the dialog, message boxes, warnings) through `texts`.
  explicit SdlPlatform(SdlSettings settings = {}, const Translator& texts = kSourceTexts);
  // The player's language, which the game's menu speaks too.
  const Translator& Texts() const { return m_texts; }

  bool CreateMainWindow(std::span<const uint8_t> iconBitmap) override;
  void ShowMainWindow() override;
  void SetWindowTitle(const std::string& title) override;
  void ShowMessageBox(const std::string& text) override;
  void RunSettingsDialog(int32_t& fullScreen, int32_t& keyboard) override;
  VideoResult InitVideo(bool fullScreen) override;
  void Present(std::span<const uint8_t> page, const Palette& palette) override;
  bool OpenJoystick(JoyCaps& caps) override;

  bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) override;
  void PlayAudioLoop() override;
  void LoadEffect(size_t index, std::span<const uint8_t> samples) override;
  void SwitchMusic(std::span<const uint8_t> samples) override;
  PlayerView View() const override { return PlayerView{m_video.FullScreen(), m_video.IntegerScale()}; }
  void SetView(const PlayerView& view) override;
  PlayerVolume Volume() const override { return m_audio.Volume(); }
  void SetVolume(const PlayerVolume& volume) override { m_audio.SetVolume(volume); }
  std::array<std::string, kPlayerActions> ActionNames(ControlDevice device) const override;
  std::string Bind(ControlDevice device, size_t action, const std::string& name) override;
  void ResetControls(ControlDevice device) override;
  bool DialogAtStart() const override { return m_start.dialog; }
  std::string Language() const override { return m_start.language; }
  // Kept with the view at exit.
  std::string SetStart(bool dialog, const std::string& language) override;
  const StartPrefs& Start() const { return m_start; }
  void StartEffect(size_t index) override;
  void SendRun(std::string replayText) override;

  // Clicks made while start-up ran were not meant for the game.
  void DropStartUpClicks();
  // Every waiting event, handled.
  WindowEvents PumpEvents();
  // Sleeps until the next event.
  void WaitEvent();
  // The game's keys as they are now, by virtual-key code, the pad's exit
  // button among them; and what the stick in use reads.
  JoyReading ReadInput(KeyboardState& keys);
  // The pad's Start pressed since the last call: the menu's button.
  bool PadAsksForMenu();
  JoyReading PollJoystick() { return m_joystick.Poll(); }
  // Holds the music and effects still, and lets them go on.
  void SetAudioPaused(bool paused) { m_audio.SetPaused(paused); }
  // The loop has ended: the window goes.
  void DestroyWindow() { m_video.DestroyWindow(); }

 private:
  // The player's own keys, not game input: volume, and full screen.
  void HandlePlayerKey(const SDL_KeyboardEvent& key, WindowEvents& events);

  const Translator& m_texts;
  // Declared so that audio stops first and video goes last.
  SdlVideo m_video;
  // The tables in use, kept where the settings live when the menu changes them.
  void KeepKeys();
  Controls m_controls;
  std::string m_settingsPath;
  StartPrefs m_start;
  KeyMap m_keys;
  bool m_startBefore = false;  // the pad's Start, the frame before
  SdlJoystick m_joystick;
  SdlAudio m_audio;
  std::unique_ptr<BoardSender> m_board;  // with a board: its thread, started with the platform
};

}  // namespace platform::sdl
