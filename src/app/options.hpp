// The command line: choices that skip the settings dialog, and a few more
// for players and designers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/game_app.hpp"

inline constexpr int32_t kMinScale = 1;
inline constexpr int32_t kMaxScale = 8;
inline constexpr int32_t kMaxSeekSeconds = 86400;
inline constexpr int32_t kMaxVolume = 100;
inline constexpr int32_t kMaxPracticeSeconds = 3600;

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
  std::string language;  // --lang: en or ja over the locale's, or empty
  std::string error;  // what was wrong, for UsageError
};

CommandLine ParseOptions(int argc, const char* const* argv);

// --rules standard|arcade|practice, --difficulty easy|normal|hard|expert and
// --practice SECONDS|carrier (practice from that far into the stage's script)
// and --stage N (practice on stage N), which the game, kestrova-sim and the
// autopilot share: false, with the reason, for a value that is none of these.
bool IsRulesOption(std::string_view name);
bool ApplyRulesOption(std::string_view name, std::string_view value, GameRules& rules, std::string& error);
inline constexpr const char* kRulesUsage =
    "  --rules R       standard (the default), arcade (lives, a game over, a\n"
    "                  table of initials per difficulty) or practice\n"
    "  --difficulty D  easy, normal (the default), hard or expert\n"
    "  --practice S    practice from S seconds into the stage, or 'carrier'\n"
    "  --stage N       practice on stage N (the last there is, if fewer)\n";

std::string UsageText();
std::string VersionText();
