// The platform in a browser: a canvas, html5 input callbacks, WebAudio and
// the Gamepad API, paced by the browser's animation frames.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/common/page_convert.hpp"
#include "platform/platform.hpp"
#include "platform/web/input_map.hpp"

namespace platform::web {

// Idle calls that a test drives instead of the player (the page's test hook).
class ScriptRunner {
 public:
  virtual bool Pending() const = 0;
  // Runs the queued idle calls through `onIdle`, as the message loop would.
  virtual void RunPending(WindowHandler& handler, const std::function<bool()>& onIdle) = 0;

 protected:
  ~ScriptRunner() = default;
};

class WebPlatform final : public Platform {
 public:
  // `scriptedOnly`: the page moves only through `runner` (a test page) and
  // ignores the player's input.
  WebPlatform(ScriptRunner& runner, bool scriptedOnly);
  ~WebPlatform() override;
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;

  bool CreateMainWindow(std::span<const uint8_t> iconBitmap) override;
  void ShowMainWindow() override;
  void SetWindowTitle(const std::string& title) override;
  void PostClose() override { m_closePosted = true; }
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

  // The page's events, from the html5 callbacks. HandleKey is false for a
  // key that is none of the game's (the page keeps its meaning).
  bool HandleKey(std::string_view code, bool down);
  void HandleMouseButton(int button);
  void ReleaseKeys() { m_keys.ReleaseAll(); }

  bool CloseRequested() const { return m_closePosted; }

 private:
  enum class Click : uint8_t { Left, Right };
  // Waiting messages in the order they came, then one idle call.
  void Step(WindowHandler& handler, const std::function<bool()>& onIdle);

  ScriptRunner& m_runner;
  bool m_scriptedOnly;
  bool m_windowOpen = false;
  bool m_keyboardTaken = false;
  bool m_closePosted = false;
  KeyTracker m_keys;
  std::vector<Click> m_clicks;
  std::vector<uint8_t> m_rgba;  // the canvas's pixels
  WaveFormat m_audioFormat{};  // the music's: the effects come in it too
  PageConverter m_converter;
};

}  // namespace platform::web
