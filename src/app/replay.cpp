#include "app/replay.hpp"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

#include "input/keyboard.hpp"

namespace {

constexpr uint8_t kRecordedKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE, VK_SHIFT, VK_ESCAPE};
constexpr const char* kReplayWindowTitle = "Kestrova App (replay)";

}  // namespace

// Left clicks reach the game as before and are noted for the next idle call.
class RecordingPlatform::Handler final : public platform::WindowHandler {
 public:
  Handler(platform::WindowHandler& inner, bool& clicked) : m_inner(inner), m_clicked(clicked) {}
  void OnLButtonDown() override {
    m_clicked = true;
    m_inner.OnLButtonDown();
  }
  void OnRButtonDown() override { m_inner.OnRButtonDown(); }
  // A pause runs no idle call, so nothing of it is recorded.
  bool OnAway() override { return m_inner.OnAway(); }

 private:
  platform::WindowHandler& m_inner;
  bool& m_clicked;
};

void RecordingPlatform::RunMessageLoop(platform::WindowHandler& handler, const std::function<bool()>& onIdle) {
  Handler recorder(handler, m_clicked);
  m_inner.RunMessageLoop(recorder, [&] {
    // One snapshot per idle call: what the game reads is exactly what is recorded.
    uint8_t live[256] = {};
    m_inner.GetKeyboardState(live);
    std::vector<uint8_t> held;
    for (uint8_t vk : kRecordedKeys) {
      m_keys[vk] = KeyHeld(live, vk) ? 0x80 : 0;
      if (m_keys[vk]) held.push_back(vk);
    }
    const bool clicked = std::exchange(m_clicked, false);
    const bool more = onIdle();
    // A call without a poll (the exit query) keeps the last reading: runs stay long.
    m_replay.script.Append(held, clicked, m_replay.script.joystick ? std::optional(m_stick) : std::nullopt);
    return more;
  });
  std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
  out << m_replay.Text();
  out.close();
  m_saved = static_cast<bool>(out);
  if (!m_saved) std::fprintf(stderr, "kestrova: cannot write the recording %s\n", m_path.c_str());
}

platform::VideoResult RecordingPlatform::InitVideo(bool fullScreen) {
  m_replay.fullScreen = fullScreen ? 1 : 0;
  return m_inner.InitVideo(fullScreen);
}

void RecordingPlatform::GetKeyboardState(uint8_t (&keys)[256]) { std::copy(std::begin(m_keys), std::end(m_keys), keys); }

bool RecordingPlatform::GetJoystickCaps(platform::JoyCaps& caps) {
  // Start-up asks only when the joystick was chosen.
  m_replay.keyboard = 0;
  if (!m_inner.GetJoystickCaps(caps)) return false;
  m_replay.script.joystick = caps;
  return true;
}

bool RecordingPlatform::PollJoystick(platform::JoyInfo& info) {
  const bool attached = m_inner.PollJoystick(info);
  m_stick = attached ? JoyReading{true, info.x, info.y, info.buttons} : JoyReading{};
  return attached;
}

namespace {

// Live left clicks would change a recorded run: only the recorded ones count.
class IgnoreLeftClicks final : public platform::WindowHandler {
 public:
  explicit IgnoreLeftClicks(platform::WindowHandler& inner) : m_inner(inner) {}
  void OnLButtonDown() override {}
  void OnRButtonDown() override { m_inner.OnRButtonDown(); }
  bool OnAway() override { return false; }  // people leave a replay running

 private:
  platform::WindowHandler& m_inner;
};

}  // namespace

bool ReplayingPlatform::CreateMainWindow(std::span<const uint8_t> iconBitmap) {
  if (!m_inner.CreateMainWindow(iconBitmap)) return false;
  m_inner.SetWindowTitle(kReplayWindowTitle);
  return true;
}

void ReplayingPlatform::RunMessageLoop(platform::WindowHandler& handler, const std::function<bool()>& onIdle) {
  IgnoreLeftClicks live(handler);
  m_inner.RunMessageLoop(live, [&] {
    if (Ended()) {
      m_inner.PostClose();
      return true;
    }
    BeginCall(handler);
    return onIdle();
  });
}

std::optional<Snapshot> PlayAhead(platform::Platform& offscreen, const Replay& replay, const AppOptions& options,
                                  int64_t calls) {
  ScriptedPlatform input(offscreen, replay.script);
  CGameApp game(input, options, BuiltinResources());
  if (!game.InitInstance()) return std::nullopt;
  while (input.Calls() < calls && !input.ClosePosted()) input.StepGame(game);
  return game.SaveSnapshot();
}

int WatchReplay(platform::Platform& platform, platform::Platform& offscreen, Replay replay, AppOptions options,
                int64_t skipped) {
  // The recording's own start choices: anything else would be another run.
  options.fullScreen = replay.fullScreen;
  options.keyboard = replay.keyboard;
  options.saveScores = false;
  options.pauseWhenAway = false;
  const std::optional<Snapshot> ahead =
      skipped > 0 ? PlayAhead(offscreen, replay, options, skipped) : std::optional<Snapshot>();
  ReplayingPlatform player(platform, std::move(replay.script));
  if (ahead) player.SkipTo(skipped);
  return CGameApp(player, options, BuiltinResources()).Run(ahead ? &*ahead : nullptr);
}

bool LoadReplay(const std::string& path, Replay& out, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot open";
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bool isReplay = false;
  return ParseReplay(text, path, out, isReplay, error);
}
