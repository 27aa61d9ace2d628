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

// Notes the start choices and, for every idle call, the keys held, a left
// click before it, and what the joystick read when it was chosen; the file is
// written when the message loop ends.
class RecordingPlatform final : public platform::ForwardingPlatform {
 public:
  RecordingPlatform(platform::Platform& inner, std::string path) : ForwardingPlatform(inner), m_path(std::move(path)) {}

  // False (with the reason on stderr) when the file could not be written.
  bool Saved() const { return m_saved; }

  void RunMessageLoop(platform::WindowHandler& handler, const std::function<bool()>& onIdle) override;
  platform::VideoResult InitVideo(bool fullScreen) override;
  void GetKeyboardState(uint8_t (&keys)[256]) override;
  bool GetJoystickCaps(platform::JoyCaps& caps) override;
  bool PollJoystick(platform::JoyInfo& info) override;

 private:
  class Handler;
  std::string m_path;
  Replay m_replay;
  uint8_t m_keys[256] = {};
  bool m_clicked = false;
  JoyReading m_stick;  // the last poll's reading
  bool m_saved = false;
};

// Feeds the recorded keys, clicks and joystick; the live keyboard, joystick
// and left clicks are ignored. The window says a replay is playing and closes
// when the recording ends.
class ReplayingPlatform final : public ScriptedPlatform {
 public:
  ReplayingPlatform(platform::Platform& inner, InputScript script) : ScriptedPlatform(inner, std::move(script)) {
    m_liveJoystick = false;
  }

  bool CreateMainWindow(std::span<const uint8_t> iconBitmap) override;
  void RunMessageLoop(platform::WindowHandler& handler, const std::function<bool()>& onIdle) override;
};

// The game as it stands after the first `calls` idle calls of `replay` (or
// where it closed), played on `offscreen`, a platform that shows nothing, as
// fast as they go; nothing when it does not start up.
std::optional<Snapshot> PlayAhead(platform::Platform& offscreen, const Replay& replay, const AppOptions& options,
                                  int64_t calls);
// Watches `replay` on `platform` with its own start choices from idle call
// `skipped` + 1 on, the calls before played ahead on `offscreen`; the exit
// code. Watching someone's run saves nothing into the watcher's scores.
int WatchReplay(platform::Platform& platform, platform::Platform& offscreen, Replay replay, AppOptions options,
                int64_t skipped);

// Reads a replay file (or a plain input script); false with "FILE:LINE: reason".
bool LoadReplay(const std::string& path, Replay& out, std::string& error);
