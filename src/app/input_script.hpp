// Scripted input: runs of idle calls with a fixed set of keys held.
//   COUNT KEYS [STICK]  KEYS is "none" or names joined by '+':
//                       left right up down space shift escape, and click
//                       (a left click just before each of those idle calls)
//   # comment
// A replay is the same script after a header line with its start choices:
//   kestrova-replay 2 window|fullscreen keyboard|joystick [XMIN XMAX YMIN YMAX|none]
// With the joystick, the header holds the limits it opened with ("none": it
// did not open), and each line what the polls of its idle calls read: STICK
// is X,Y,BUTTONS, or "unplugged". Format 1 (no joystick) still reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.hpp"

// One poll of the joystick: its position and buttons, or none at all.
struct JoyReading {
  bool attached = false;
  uint32_t x = 0, y = 0, buttons = 0;
  friend bool operator==(const JoyReading&, const JoyReading&) = default;
};

struct InputRun {
  int64_t count = 0;
  std::vector<uint8_t> keys;  // virtual-key codes
  bool click = false;
  std::optional<JoyReading> stick;  // with a recorded joystick: what its polls read
  int64_t end = 0;  // idle calls up to and including this run
};

struct InputScript {
  std::vector<InputRun> runs;
  // A recorded joystick's limits: the polls of the script come from its runs.
  std::optional<platform::JoyCaps> joystick;
  // The run in force at idle call `call` (from 1); null after the script ends.
  const InputRun* RunAt(int64_t call) const;
  int64_t Length() const;
  // Adds one idle call's input, extending the last run when it is the same.
  void Append(const std::vector<uint8_t>& keys, bool click, std::optional<JoyReading> stick = std::nullopt);
  std::string Text() const;
};

inline constexpr int kReplayVersion = 2;

struct Replay {
  int32_t fullScreen = 0;
  int32_t keyboard = 1;
  InputScript script;
  std::string Text() const;
};

// False with "FILE:LINE: reason" in `error`.
bool ParseInputScript(std::string_view text, const std::string& fileName, InputScript& out, std::string& error);
// A replay file; `isReplay` tells whether the text had a replay header (a
// plain input script parses too, with the default start choices).
bool ParseReplay(std::string_view text, const std::string& fileName, Replay& out, bool& isReplay, std::string& error);
// "none" or the names joined by '+', in the order of the key table.
std::string KeyNames(const std::vector<uint8_t>& keys, bool click = false);
