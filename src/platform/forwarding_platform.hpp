// A platform that passes every call to another one: the base of decorators
// that watch or replace a few calls (recording and replaying input).
#pragma once

#include "platform/platform.hpp"

namespace platform {

class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& inner) : m_inner(inner) {}

  bool CreateMainWindow(std::span<const uint8_t> icon) override { return m_inner.CreateMainWindow(icon); }
  void ShowMainWindow() override { m_inner.ShowMainWindow(); }
  void SetWindowTitle(const std::string& title) override { m_inner.SetWindowTitle(title); }
  void PostClose() override { m_inner.PostClose(); }
  void RunMessageLoop(WindowHandler& handler, const std::function<bool()>& onIdle) override {
    m_inner.RunMessageLoop(handler, onIdle);
  }
  void ShowMessageBox(const std::string& text) override { m_inner.ShowMessageBox(text); }
  void RunSettingsDialog(int32_t& fullScreen, int32_t& keyboard) override {
    m_inner.RunSettingsDialog(fullScreen, keyboard);
  }
  VideoResult InitVideo(bool fullScreen) override { return m_inner.InitVideo(fullScreen); }
  void Present(std::span<const uint8_t> page, const Palette& palette) override { m_inner.Present(page, palette); }
  bool DecodeBitmap(std::span<const uint8_t> file, IndexedImage& out, std::string& error) override {
    return m_inner.DecodeBitmap(file, out, error);
  }
  void GetKeyboardState(uint8_t (&keys)[256]) override { m_inner.GetKeyboardState(keys); }
  bool GetJoystickCaps(JoyCaps& caps) override { return m_inner.GetJoystickCaps(caps); }
  bool PollJoystick(JoyInfo& info) override { return m_inner.PollJoystick(info); }
  bool OpenAudio(const WaveFormat& format, std::span<const uint8_t> samples) override {
    return m_inner.OpenAudio(format, samples);
  }
  void PlayAudioLoop() override { m_inner.PlayAudioLoop(); }
  void LoadEffect(size_t index, std::span<const uint8_t> samples) override { m_inner.LoadEffect(index, samples); }
  void StartEffect(size_t index) override { m_inner.StartEffect(index); }

 protected:
  Platform& m_inner;
};

}  // namespace platform
