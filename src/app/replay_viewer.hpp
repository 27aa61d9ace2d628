// Watching a recording as a film: paused, a frame at a time, from a quarter
// of the speed to eight times it, and ten seconds back or on at a press. The
// states met on the way are kept, so going back is restoring one and playing
// on from it, never the whole run again.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/input_script.hpp"
#include "ui/core.hpp"
#include "ui/viewer_bar.hpp"

struct ViewerSpeed {
  int32_t quarterFrames;  // played each tick of the 60 Hz clock, in quarters of a frame
  const char* label;
};
inline constexpr ViewerSpeed kViewerSpeeds[] = {{1, "1/4X"}, {2, "1/2X"}, {4, "1X"}, {8, "2X"}, {16, "4X"}, {32, "8X"}};
inline constexpr size_t kNormalSpeed = 2;

class ReplayViewer {
 public:
  static constexpr int64_t kSeekFrames = 600;  // ten seconds
  static constexpr int32_t kBarTicks = 180;    // the bar stays this long after a press
  static constexpr size_t kMostSnapshots = 64;  // past it, every other one goes and the gap doubles

  // `replay` is watched from `startFrame` on: the frames before it are played
  // unseen in the first tick.
  explicit ReplayViewer(const Replay& replay, int64_t startFrame = 0);

  // One tick of the host's clock. The live keys (Space pauses, Shift plays one
  // frame, Up and Down change the speed, Left and Right go 10 s back and on,
  // Escape stops) or the pad (fire, bomb, the stick) steer; then the frames
  // due are played on `core`, the last one seen. The last frame played, if
  // any; its sounds only at normal speed or slower.
  std::optional<FrameOutput> Tick(Core& core, const FrameInput& live);

  // The recording played to its end, or the viewer told to stop.
  bool Done() const { return m_leaving || m_frame >= Length(); }
  int64_t Frame() const { return m_frame; }
  int64_t Length() const { return m_replay.script.Length(); }
  // Shown while paused, at another speed, or for a while after a press;
  // plain watching shows the recording's pages alone.
  bool BarShown() const { return m_paused || m_speed != kNormalSpeed || m_barTicks > 0; }
  ViewerBar Bar() const;

 private:
  uint32_t Pressed(const FrameInput& live);
  // Frames up to `target` (clamped to the recording), back from the nearest
  // state kept at or before it when it lies behind; the last one seen.
  std::optional<FrameOutput> Seek(Core& core, int64_t target);
  FrameOutput PlayFrame(Core& core, bool seen);

  const Replay& m_replay;
  int64_t m_start;
  int64_t m_frame = 0;
  bool m_paused = false, m_leaving = false;
  size_t m_speed = kNormalSpeed;
  int32_t m_quarters = 0;  // of a frame, carried to the next tick
  int32_t m_barTicks = 0;
  uint32_t m_heldBefore = 0;
  CJoystick m_pad;
  std::vector<PlayState> m_snapshots;  // snapshot i: the state after frame i * m_gap
  int64_t m_gap = kSeekFrames;
};
