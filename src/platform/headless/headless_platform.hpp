// A platform without a window: input comes from the caller, the last presented
// page can be inspected, nothing is ever paced.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.hpp"

namespace platform {

class HeadlessPlatform : public Platform {
 public:
  // Input seen by the game from now on.
  void HoldKeys(const std::vector<uint8_t>& virtualKeys);
  void SetJoystick(std::optional<JoyInfo> state, JoyCaps caps = {0, 65535, 0, 65535});
  void QueueLeftClick() { m_pendingLeft = true; }
  void QueueRightClick() { m_pendingRight = true; }
  // Called before each idle call of the message loop with the call's number
  // (from 1); RunMessageLoop stops after `idleLimit` calls.
  std::function<void(int64_t)> beforeIdle;
  int64_t idleLimit = 0;
  // Fail these start-up steps, to exercise the error paths.
  bool failWindow = false;
  VideoResult videoResult = VideoResult::Ok;
  bool failAudio = false;

  // The game's own page, not a copy: copying it each frame would cost more
  // than a frame of play. Valid while the game lives, until it draws again.
  std::span<const uint8_t> LastPage() const { return m_lastPage; }
  const Palette& LastPalette() const { return m_lastPalette; }
  int64_t PresentCount() const { return m_presents; }
  const std::vector<std::string>& Messages() const { return m_messages; }
  bool CloseRequested() const { return m_closeRequested; }
  const std::string& WindowTitle() const { return m_title; }
  std::span<const uint8_t> AudioSamples() const { return m_audio; }
  bool AudioPlaying() const { return m_audioPlaying; }

  bool CreateMainWindow(std::span<const uint8_t> iconBitmap) override;
  void ShowMainWindow() override {}
  void SetWindowTitle(const std::string& title) override { m_title = title; }
  void PostClose() override { m_closeRequested = true; }
  void RunMessageLoop(WindowHandler& handler, const std::function<bool()>& onIdle) override;
  void ShowMessageBox(const std::string& text) override;
  void RunSettingsDialog(int32_t&, int32_t&) override {}
  VideoResult InitVideo(bool fullScreen) override;
  void Present(std::span<const uint8_t> page, const Palette& palette) override;
  bool DecodeBitmap(std::span<const uint8_t> file, IndexedImage& out, std::string& error) override;
  void GetKeyboardState(uint8_t (&keys)[256]) override;
  bool GetJoystickCaps(JoyCaps& caps) override;
  bool PollJoystick(JoyInfo& info) override;
  bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) override;
  void PlayAudioLoop() override { m_audioPlaying = true; }
  void LoadEffect(size_t, std::span<const uint8_t>) override {}
  void StartEffect(size_t) override {}

 private:
  uint8_t m_keys[256] = {};
  std::optional<JoyInfo> m_joystick;
  JoyCaps m_joyCaps{};
  bool m_pendingLeft = false;
  bool m_pendingRight = false;
  bool m_closeRequested = false;
  std::string m_title = "Kestrova App";
  std::span<const uint8_t> m_lastPage;
  Palette m_lastPalette{};
  int64_t m_presents = 0;
  std::vector<std::string> m_messages;
  std::span<const uint8_t> m_audio;
  bool m_audioPlaying = false;
};

}  // namespace platform
