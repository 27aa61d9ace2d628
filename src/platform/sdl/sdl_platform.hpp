// The platform on a desktop: an SDL window, renderer, input and audio, with
// the settings dialog in GTK.
#pragma once

#include <cstdint>

#include "platform/platform.hpp"
#include "platform/sdl/sdl_audio.hpp"
#include "platform/sdl/sdl_input.hpp"
#include "platform/sdl/sdl_video.hpp"

namespace platform::sdl {

struct SdlSettings {
  int32_t scale = 1;  // window mode: the window is this many times 640 x 480
  bool integerScale = false;  // the picture only at whole multiples of 640 x 480
  PlayerVolume audio;
  bool frameStats = false;  // report the frame intervals on standard error at the end
};

class SdlPlatform final : public Platform {
 public:
  explicit SdlPlatform(SdlSettings settings = {});

  bool CreateMainWindow(std::span<const uint8_t> iconBitmap) override;
  void ShowMainWindow() override;
  void SetWindowTitle(const std::string& title) override;
  void PostClose() override;
  void RunMessageLoop(WindowHandler& handler, const std::function<bool()>& onIdle) override;

  void ShowMessageBox(const std::string& text) override;
  void RunSettingsDialog(int32_t& fullScreen, int32_t& keyboard) override;

  VideoResult InitVideo(bool fullScreen) override;
  void Present(std::span<const uint8_t> page, const Palette& palette) override;
  bool DecodeBitmap(std::span<const uint8_t> file, IndexedImage& out, std::string& error) override;

  void GetKeyboardState(uint8_t (&keys)[256]) override;
  bool GetJoystickCaps(JoyCaps& caps) override;
  bool PollJoystick(JoyInfo& info) override;

  bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) override;
  void PlayAudioLoop() override;
  void LoadEffect(size_t index, std::span<const uint8_t> samples) override;
  void StartEffect(size_t index) override;

 private:
  // Handles one event; false once the window is to close.
  bool Dispatch(const SDL_Event& event, WindowHandler& handler);
  // The player's own keys, not game input: volume, and full screen.
  void HandlePlayerKey(const SDL_KeyboardEvent& key);

  // Declared so that audio stops first and video goes last.
  SdlVideo m_video;
  SdlJoystick m_joystick;
  SdlAudio m_audio;
  bool m_closePosted = false;
  bool m_paused = false;  // the handler chose to stop while the window is away
};

}  // namespace platform::sdl
