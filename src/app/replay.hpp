// Recording a run and playing a recording back: the game is deterministic,
// so the same input gives the same run, frame for frame, and a format-3
// replay carries the hashes that show it.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "app/input_script.hpp"
#include "ui/core.hpp"

// Reads a replay file (or a plain input script); false with "FILE:LINE: reason".
bool LoadReplay(const std::string& path, Replay& out, std::string& error);

// Writes the replay's text whole, beside `path` first and then renamed into
// place, so that a failed write never leaves half a replay; false with the
// reason naming the file.
bool SaveReplay(const std::string& path, const std::string& text, std::string& error);

// This game and a hash of the data files in `dataDir` a run under `rules` reads.
ReplayStamp StampFor(const std::string& dataDir, const GameRules& rules = {});

// A run, frame by frame, as a format-3 replay: each frame's input, the state
// after every 600th, and the line of the last.
class ReplayRecorder {
 public:
  ReplayRecorder(const StartChoices& choices, ReplayStamp stamp);

  void Add(const FrameInput& input, const FrameOutput& output, const PlayState& state);
  int64_t Frames() const { return m_replay.script.Length(); }
  // The replay, ended by the last frame added, whose page and state these are.
  Replay Finish(std::span<const uint8_t> lastPage, const PlayState& state) const;

 private:
  Replay m_replay;
  std::string m_lastScreen;
};

// How far a check may go: a replay claiming more frames is refused unplayed,
// and one still playing at the deadline is cut there (a server's time cap).
struct CheckLimits {
  int64_t frames = INT64_MAX;
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

// What the run came to, as far as it was played.
struct CheckOutcome {
  int64_t frames = 0;  // frames played
  int32_t score = 0;   // the run's score after its last frame played
  std::optional<ArcadeEntry> entry;  // the initials the run entered into its table, if it did
};

// Plays `replay` on the data of `dataDir`, checking it against its own check
// and end lines (format 3) or else against `expectedLast`, the line its last
// frame printed, within `limits`. Empty when it ends as recorded; else why
// not, with the frame where it first differs.
std::string CheckReplay(const Replay& replay, const std::string& dataDir, const std::string& expectedLast,
                        const CheckLimits& limits = {}, CheckOutcome* outcome = nullptr);
