// The platform in a browser: a canvas, html5 input callbacks, WebAudio and
// the Gamepad API. The page's loop, in main.cpp, runs on its animation frames.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/controls.hpp"
#include "app/language.hpp"
#include "input/keyboard.hpp"
#include "platform/common/page_convert.hpp"
#include "platform/platform.hpp"
#include "platform/web/browser.hpp"
#include "platform/web/input_map.hpp"

namespace platform::web {

enum class Click : uint8_t { Left, Right };

class WebPlatform final : public Platform {
 public:
  // `scriptedOnly`: the page moves only through its test hook (a test page)
  // and ignores the player's input.
  // Its message boxes through `texts`. A test page plays with the default
  // controls and keeps nothing the menu changes, as kestrova-sim.
  WebPlatform(bool scriptedOnly, const Translator& texts);
  ~WebPlatform() override;
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;

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
  PlayerView View() const override { return browser::View(); }
  void SetView(const PlayerView& view) override { browser::SetView(view); }
  PlayerVolume Volume() const override { return browser::Volume(); }
  void SetVolume(const PlayerVolume& volume) override { browser::SetVolume(volume); }
  // The player's keys and pad buttons, kept in the page's storage as
  // settings.ini's sections.
  std::array<std::string, kPlayerActions> ActionNames(ControlDevice device) const override;
  std::string Bind(ControlDevice device, size_t action, const std::string& name) override;
  void ResetControls(ControlDevice device) override;
  // The page shows its form at every load; the language is kept for the next.
  bool DialogAtStart() const override { return true; }
  std::string Language() const override;
  std::string SetStart(bool dialog, const std::string& language) override;
  // Posted by the page, which says on the console what the board answered.
  void SendRun(std::string replayText) override { browser::SendRun(replayText); }
  void StartEffect(size_t index) override;

  // The clicks since the last call, in the order they came.
  std::vector<Click> TakeClicks();
  // The game's keys held now, the pad's exit button among them, and what the
  // first connected pad reads.
  JoyReading ReadInput(KeyboardState& keys);

  // The key last pressed since the last call, by its desktop name ("" for
  // none): the menu's answer to "press the key for FIRE".
  std::string TakeKeyName();
  // Likewise the pad button last pressed (but Start, as on the desktop).
  std::string TakeButtonName();
  // The pad's Start pressed since the last call, which opens and closes the menu.
  bool PadAsksForMenu() { return m_pad.TakeMenuPress(); }

  // The page's events, from the html5 callbacks. HandleKey is false for a
  // key that is none of the game's (the page keeps its meaning).
  bool HandleKey(std::string_view code, bool down, bool repeat);
  void HandleMouseButton(int button);
  void ReleaseKeys() { m_keys.ReleaseAll(); }

 private:
  void KeepControls();

  bool m_scriptedOnly;
  const Translator& m_texts;
  Controls m_controls;
  std::string m_keyName;
  bool m_windowOpen = false;
  bool m_keyboardTaken = false;
  KeyTracker m_keys;
  PadTracker m_pad;
  std::vector<Click> m_clicks;
  std::vector<uint8_t> m_rgba;  // the canvas's pixels
  WaveFormat m_audioFormat{};  // the music's: the effects come in it too
  PageConverter m_converter;
};

}  // namespace platform::web
