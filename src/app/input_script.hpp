// Scripted input: runs of idle calls with a fixed set of keys held.
//   COUNT KEYS    KEYS is "none" or names joined by '+':
//                 left right up down space shift escape, and click
//                 (a left click just before each of those idle calls)
//   # comment
// A replay is the same script after a header line with its start choices:
//   kestrova-replay 1 window|fullscreen keyboard|joystick
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct InputRun {
  int64_t count = 0;
  std::vector<uint8_t> keys;  // virtual-key codes
  bool click = false;
  int64_t end = 0;  // idle calls up to and including this run
};

struct InputScript {
  std::vector<InputRun> runs;
  // The run in force at idle call `call` (from 1); null after the script ends.
  const InputRun* RunAt(int64_t call) const;
  int64_t Length() const;
  // Adds one idle call's input, extending the last run when it is the same.
  void Append(const std::vector<uint8_t>& keys, bool click);
  std::string Text() const;
};

inline constexpr int kReplayVersion = 1;

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
