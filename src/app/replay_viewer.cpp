#include "app/replay_viewer.hpp"

#include <algorithm>

namespace {

constexpr uint32_t kPause = 1, kStep = 2, kSlower = 4, kFaster = 8, kBack = 16, kOn = 32, kLeave = 64;

constexpr struct {
  uint8_t vk;
  uint32_t control;
} kKeys[] = {{VK_SPACE, kPause}, {VK_SHIFT, kStep},   {VK_DOWN, kSlower}, {VK_UP, kFaster},
             {VK_LEFT, kBack},   {VK_RIGHT, kOn},     {VK_ESCAPE, kLeave}};

// The pads' readings come in the classic range on every host.
const JoyCaps kPadThresholds = JoystickThresholds(JoyCaps{0, 65535, 0, 65535});

}  // namespace

ReplayViewer::ReplayViewer(const Replay& replay, int64_t startFrame) : m_replay(replay), m_start(startFrame) {
  m_pad.InitJoystick(&kPadThresholds);
}

uint32_t ReplayViewer::Pressed(const FrameInput& live) {
  uint32_t held = 0;
  for (const auto& key : kKeys) held |= KeyHeld(live.keys, key.vk) ? key.control : 0;
  m_pad.PollJoystick(live.stick, &kPadThresholds);
  held |= (m_pad.Fire() ? kPause : 0) | (m_pad.Bomb() ? kStep : 0) | (m_pad.Down() ? kSlower : 0) |
          (m_pad.Up() ? kFaster : 0) | (m_pad.Left() ? kBack : 0) | (m_pad.Right() ? kOn : 0);
  const uint32_t pressed = held & ~m_heldBefore;
  m_heldBefore = held;
  return pressed;
}

std::optional<FrameOutput> ReplayViewer::Tick(Core& core, const FrameInput& live) {
  if (m_snapshots.empty()) m_snapshots.push_back(core.State());
  while (m_frame < m_start && !Done()) PlayFrame(core, false);
  const uint32_t pressed = Pressed(live);
  m_barTicks = pressed != 0 ? kBarTicks : std::max(0, m_barTicks - 1);
  m_leaving = m_leaving || (pressed & kLeave) != 0;
  if (pressed & kPause) m_paused = !m_paused;
  if ((pressed & kSlower) && m_speed > 0) --m_speed;
  if ((pressed & kFaster) && m_speed + 1 < std::size(kViewerSpeeds)) ++m_speed;
  // A tick that moves through the run by hand plays nothing more.
  std::optional<FrameOutput> out;
  if (pressed & kBack) {
    out = Seek(core, m_frame - kSeekFrames);
  } else if (pressed & kOn) {
    out = Seek(core, std::min(m_frame + kSeekFrames, Length() - 1));
  } else if (pressed & kStep) {
    m_paused = true;
    if (!Done()) out = PlayFrame(core, true);
  } else if (!m_paused) {
    m_quarters += kViewerSpeeds[m_speed].quarterFrames;
    for (int32_t due = m_quarters / 4; due > 0 && !Done(); --due) out = PlayFrame(core, due == 1);
    m_quarters %= 4;
  }
  if (out && (m_speed > kNormalSpeed || (pressed & (kBack | kOn)))) out->sounds = FrameSounds{};
  return out;
}

std::optional<FrameOutput> ReplayViewer::Seek(Core& core, int64_t target) {
  target = std::clamp<int64_t>(target, 0, Length());
  // The last state kept before the target, so that at least the frame seen is played from it.
  const int64_t kept = std::min(std::max<int64_t>(target - 1, 0) / m_gap, static_cast<int64_t>(m_snapshots.size()) - 1);
  if (target < m_frame || kept * m_gap > m_frame) {
    core.Restore(m_snapshots[static_cast<size_t>(kept)]);
    m_frame = kept * m_gap;
  }
  std::optional<FrameOutput> out;
  while (m_frame < target) out = PlayFrame(core, m_frame + 1 == target);
  return out;
}

FrameOutput ReplayViewer::PlayFrame(Core& core, bool seen) {
  const FrameOutput out = core.Step(m_replay.script.InputAt(++m_frame), seen);
  if (m_frame == static_cast<int64_t>(m_snapshots.size()) * m_gap) {
    m_snapshots.push_back(core.State());
    if (m_snapshots.size() > kMostSnapshots) {
      for (size_t i = 1; 2 * i < m_snapshots.size(); ++i) m_snapshots[i] = std::move(m_snapshots[2 * i]);
      m_snapshots.resize((m_snapshots.size() + 1) / 2);
      m_gap *= 2;
    }
  }
  return out;
}

ViewerBar ReplayViewer::Bar() const {
  return ViewerBar{m_frame, Length(), m_paused ? "PAUSE" : kViewerSpeeds[m_speed].label};
}
