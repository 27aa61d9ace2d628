// The text forms of input. A script is runs of frames with a fixed set of
// keys held:
//   COUNT KEYS [STICK]  KEYS is "none" or names joined by '+':
//                       left right up down space shift escape, and click
//                       (a left click just before each of those frames)
//   # comment
// A replay is such a script after a header line with its start choices:
//   kestrova-replay 3 window|fullscreen keyboard|joystick [XMIN XMAX YMIN YMAX|none]
// With the joystick, the header holds the limits it opened with ("none": it
// did not open), and each line what the polls of its frames read: STICK is
// X,Y,BUTTONS, or "unplugged". Format 3 adds lines that let a replay check
// itself: first the game that recorded it and a hash of its data,
//   game VERSION data DATAHASH
// and, for a run not under the standard rules and one a player named,
//   rules arcade|practice [difficulty D] [stage N] [from SECONDS|carrier]
//         [lives yes|no] [invulnerable yes|no]
//   best SCORE INITIALS...   (arcade: the difficulty's table as the run began)
//   player NAME
// then, among the runs, the state hash after every 600th frame,
//   check FRAME STATEHASH
// and last the line kestrova-sim prints for the run's last frame,
//   end FRAME SCREEN PAGEHASH STATEHASH
// Formats 1 (no joystick) and 2 still read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/arcade_table.hpp"
#include "game/rules.hpp"
#include "input/joystick.hpp"
#include "input/keyboard.hpp"
#include "ui/core.hpp"

struct InputRun {
  int64_t count = 0;
  std::vector<uint8_t> keys;  // virtual-key codes
  bool click = false;
  std::optional<JoyReading> stick;  // with a recorded joystick: what its polls read
  int64_t end = 0;  // frames up to and including this run
};

struct InputScript {
  std::vector<InputRun> runs;
  // A recorded joystick's limits: the polls of the script come from its runs.
  std::optional<JoyCaps> joystick;
  // The run in force at frame `call` (from 1); null after the script ends.
  const InputRun* RunAt(int64_t call) const;
  int64_t Length() const;
  // The input of frame `call`: nothing held, and no stick, once the script has ended.
  FrameInput InputAt(int64_t call) const;
  // Adds one frame's input, extending the last run when it is the same.
  void Append(const std::vector<uint8_t>& keys, bool click, std::optional<JoyReading> stick = std::nullopt);
  std::string Text() const;
};

// The choices a run started with, which a replay keeps to start the same way.
struct StartChoices {
  int32_t fullScreen = 0;
  int32_t keyboard = 1;
  std::optional<JoyCaps> joystick;  // with the joystick chosen: the limits of the stick that opened
  GameRules rules;
  ArcadeTable best;  // arcade: the difficulty's best runs as the player's file held them
};

// A player's name as a replay keeps it: 1 to 16 letters, digits, spaces and "-_.".
inline constexpr size_t kMaxPlayerName = 16;
bool IsPlayerName(std::string_view name);

inline constexpr int kReplayVersion = 3;
inline constexpr int64_t kCheckEvery = 600;  // frames between a format-3 replay's checks

struct ReplayCheck {
  int64_t frame = 0;
  uint64_t stateHash = 0;
  friend bool operator==(const ReplayCheck&, const ReplayCheck&) = default;
};

// Which game recorded a replay, on which data.
struct ReplayStamp {
  std::string version;
  std::string dataHash;  // 16 hex digits
  friend bool operator==(const ReplayStamp&, const ReplayStamp&) = default;
};

struct Replay {
  int32_t fullScreen = 0;
  int32_t keyboard = 1;
  InputScript script;  // with the joystick's limits
  GameRules rules;     // format 3
  ArcadeTable best;    // format 3, arcade
  std::string player;  // format 3: empty when the player gave no name
  StartChoices Choices() const {
    return {fullScreen, keyboard, keyboard ? std::nullopt : script.joystick, rules, best};
  }
  // Format 3 only: without a stamp the text is written as format 2.
  std::optional<ReplayStamp> stamp;
  std::vector<ReplayCheck> checks;  // in frame order
  std::string end;  // "FRAME SCREEN PAGEHASH STATEHASH"; empty without frames
  std::string Text() const;
};

// False with "FILE:LINE: reason" in `error`.
bool ParseInputScript(std::string_view text, const std::string& fileName, InputScript& out, std::string& error);
// A replay file; `isReplay` tells whether the text had a replay header (a
// plain input script parses too, with the default start choices).
bool ParseReplay(std::string_view text, const std::string& fileName, Replay& out, bool& isReplay, std::string& error);
// "none" or the names joined by '+', in the order of the key table.
std::string KeyNames(const std::vector<uint8_t>& keys, bool click = false);
// The game's keys that `keys` holds, in the order of the key table.
std::vector<uint8_t> HeldKeys(const KeyboardState& keys);
