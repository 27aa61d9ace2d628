// The command line: choices that skip the settings dialog, and a few more
// for players and designers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/game_app.hpp"

inline constexpr int32_t kMinScale = 1;
inline constexpr int32_t kMaxScale = 8;
inline constexpr int32_t kMaxSeekSeconds = 86400;
inline constexpr int32_t kMaxVolume = 100;

struct CommandLine {
  enum class Action { Run, Help, Version, UsageError };

  Action action = Action::Run;
  AppOptions app;
  bool dataGiven = false;  // --data: app.dataDir is the player's
  int32_t scale = 1;  // window mode: the window is this many times 640 x 480
  bool integerScale = false;  // the picture only ever a whole multiple of 640 x 480
  int32_t volume = kMaxVolume;  // percent of the music's and the effects' loudness
  bool muted = false;
  bool frameStats = false;  // --frame-stats: report the frame intervals at the end
  std::string recordPath;  // --record: where the replay goes
  std::string replayPath;  // --replay: the recording to play
  std::optional<int32_t> seekSeconds;  // --seek: where in the recording to start watching
  std::string error;  // what was wrong, for UsageError
};

CommandLine ParseOptions(int argc, const char* const* argv);

std::string UsageText();
std::string VersionText();
