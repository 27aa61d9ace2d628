// Recording a run's input, and playing a recording back: the game is
// deterministic, so the same input gives the same run, frame for frame.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/game_app.hpp"
#include "app/input_script.hpp"
#include "app/scripted_platform.hpp"
#include "platform/forwarding_platform.hpp"

// Notes the start choices and, for every idle call, the keys held and a left
// click before it; the file is written when the message loop ends. The
// joystick is not recorded, so a recording plays from the keyboard alone.
class RecordingPlatform final : public platform::ForwardingPlatform {
 public:
  RecordingPlatform(platform::Platform& inner, std::string path) : ForwardingPlatform(inner), m_path(std::move(path)) {}

  // False (with the reason on stderr) when the file could not be written.
  bool Saved() const { return m_saved; }

  void RunMessageLoop(platform::WindowHandler& handler, const std::function<bool()>& onIdle) override;
  platform::VideoResult InitVideo(bool fullScreen) override;
  void GetKeyboardState(uint8_t (&keys)[256]) override;
  bool GetJoystickCaps(platform::JoyCaps& caps) override;

 private:
  class Handler;
  std::string m_path;
  Replay m_replay;
  uint8_t m_keys[256] = {};
  bool m_clicked = false;
  bool m_saved = false;
};

// Feeds the recorded keys and clicks; the live keyboard, joystick and left
// clicks are ignored. The window closes when the recording ends.
class ReplayingPlatform final : public ScriptedPlatform {
 public:
  ReplayingPlatform(platform::Platform& inner, InputScript script) : ScriptedPlatform(inner, std::move(script)) {}

  void RunMessageLoop(platform::WindowHandler& handler, const std::function<bool()>& onIdle) override;
  bool GetJoystickCaps(platform::JoyCaps&) override { return false; }
  bool PollJoystick(platform::JoyInfo&) override { return false; }
};

// The game as it stands after the first `calls` idle calls of `replay` (or
// where it closed), played on `offscreen`, a platform that shows nothing, as
// fast as they go; nothing when it does not start up.
std::optional<Snapshot> PlayAhead(platform::Platform& offscreen, const Replay& replay, const AppOptions& options,
                                  int64_t calls);
// Watches `replay` on `platform` with its own start choices from idle call
// `skipped` + 1 on, the calls before played ahead on `offscreen`; the exit code.
int WatchReplay(platform::Platform& platform, platform::Platform& offscreen, Replay replay, AppOptions options,
                int64_t skipped);

// Reads a replay file (or a plain input script); false with "FILE:LINE: reason".
bool LoadReplay(const std::string& path, Replay& out, std::string& error);
