#include "app/options.hpp"

#include "app/board_address.hpp"
#include "app/language.hpp"

#include <optional>
#include <string_view>

namespace {

constexpr const char* kVersion = KESTROVA_VERSION;

enum class Option {
  Window, FullScreen, Keyboard, Joystick, Scale, IntegerScale, Volume, Mute, NoPause, Data, Sheet, Record, Replay,
  Seek, FrameStats, Help, Version, Rules, Lang, Board
};

struct OptionEntry {
  std::string_view name;
  Option option;
  bool takesValue;
};

constexpr OptionEntry kOptions[] = {
    {"--window", Option::Window, false},     {"--fullscreen", Option::FullScreen, false},
    {"--keyboard", Option::Keyboard, false}, {"--joystick", Option::Joystick, false},
    {"--scale", Option::Scale, true},        {"--data", Option::Data, true},
    {"--volume", Option::Volume, true},      {"--mute", Option::Mute, false},
    {"--no-pause", Option::NoPause, false},
    {"--sheet", Option::Sheet, true},        {"--record", Option::Record, true},
    {"--replay", Option::Replay, true},      {"--seek", Option::Seek, true},
    {"--frame-stats", Option::FrameStats, false},
    {"--help", Option::Help, false},         {"--version", Option::Version, false},
    {"--integer-scale", Option::IntegerScale, false},
    {"--rules", Option::Rules, true},        {"--difficulty", Option::Rules, true},
    {"--practice", Option::Rules, true},     {"--stage", Option::Rules, true},
    {"--lang", Option::Lang, true},          {"--board", Option::Board, true},
};

const OptionEntry* FindOption(std::string_view name) {
  for (const OptionEntry& entry : kOptions) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// A whole number from 0 to `max`, digits only.
std::optional<int32_t> ParseWhole(std::string_view text, int32_t max) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const int32_t value = std::stoi(std::string(text));
  if (value > max) return std::nullopt;
  return value;
}

std::optional<int32_t> ParseScale(std::string_view text) {
  if (text.size() != 1 || text[0] < '0' + kMinScale || text[0] > '0' + kMaxScale) return std::nullopt;
  return text[0] - '0';
}

// Sets one choice of the dialog; giving both of a pair is a mistake.
bool SetChoice(std::optional<int32_t>& choice, int32_t value, std::string_view option, std::string& error) {
  if (choice && *choice != value) {
    error = std::string(option) + " contradicts an earlier option";
    return false;
  }
  choice = value;
  return true;
}

// Where an option that takes a file or folder keeps it.
std::string& TextOption(Option option, CommandLine& line) {
  switch (option) {
    case Option::Data: return line.app.dataDir;
    case Option::Sheet: return line.app.sheetPath;
    case Option::Record: return line.recordPath;
    default: return line.replayPath;
  }
}

bool Apply(const OptionEntry& entry, std::string_view value, CommandLine& line) {
  AppOptions& app = line.app;
  switch (entry.option) {
    case Option::Window: return SetChoice(app.fullScreen, 0, entry.name, line.error);
    case Option::FullScreen: return SetChoice(app.fullScreen, 1, entry.name, line.error);
    case Option::Keyboard: return SetChoice(app.keyboard, 1, entry.name, line.error);
    case Option::Joystick: return SetChoice(app.keyboard, 0, entry.name, line.error);
    case Option::Scale:
      if (const std::optional<int32_t> scale = ParseScale(value)) {
        line.scale = *scale;
        return true;
      }
      line.error = "--scale takes a whole number from " + std::to_string(kMinScale) + " to " +
                   std::to_string(kMaxScale) + ", not '" + std::string(value) + "'";
      return false;
    case Option::IntegerScale: line.integerScale = true; return true;
    case Option::Data:
    case Option::Sheet:
    case Option::Record:
    case Option::Replay: {
      if (value.empty()) {
        line.error = std::string(entry.name) + " needs a non-empty value";
        return false;
      }
      TextOption(entry.option, line) = value;
      line.dataGiven = line.dataGiven || entry.option == Option::Data;
      if (!line.recordPath.empty() && !line.replayPath.empty()) {
        line.error = "--record and --replay cannot be used together";
        return false;
      }
      return true;
    }
    case Option::Volume:
      if (const std::optional<int32_t> volume = ParseWhole(value, kMaxVolume)) {
        line.volume = *volume;
        return true;
      }
      line.error = "--volume takes a whole number from 0 to " + std::to_string(kMaxVolume) + ", not '" +
                   std::string(value) + "'";
      return false;
    case Option::Mute: line.muted = true; return true;
    case Option::NoPause: app.pauseWhenAway = false; return true;
    case Option::FrameStats: line.frameStats = true; return true;
    case Option::Seek:
      line.seekSeconds = ParseWhole(value, kMaxSeekSeconds);
      if (line.seekSeconds) return true;
      line.error = "--seek takes a whole number of seconds from 0 to " + std::to_string(kMaxSeekSeconds) + ", not '" +
                   std::string(value) + "'";
      return false;
    case Option::Rules: return ApplyRulesOption(entry.name, value, app.rules, line.error);
    case Option::Lang:
      for (const std::string_view language : kLanguages) {
        if (value == language) {
          line.language = value;
          return true;
        }
      }
      line.error = "--lang takes en or ja, not '" + std::string(value) + "'";
      return false;
    case Option::Board:
      if (const std::string problem = BoardAddressProblem(value); !problem.empty()) {
        line.error = "--board takes a board's address: " + problem + ", not '" + std::string(value) + "'";
        return false;
      }
      app.boardAddress = value;
      return true;
    case Option::Help: line.action = CommandLine::Action::Help; return true;
    case Option::Version:
      if (line.action != CommandLine::Action::Help) line.action = CommandLine::Action::Version;
      return true;
  }
  return false;
}

}  // namespace

bool IsRulesOption(std::string_view name) {
  return name == "--rules" || name == "--difficulty" || name == "--practice" || name == "--stage";
}

bool ApplyRulesOption(std::string_view name, std::string_view value, GameRules& rules, std::string& error) {
  if (name == "--rules") {
    if (const auto kind = NameIndex(kRulesNames, value)) {
      rules.kind = static_cast<RulesKind>(*kind);
      return true;
    }
    error = "--rules takes standard, arcade or practice, not '" + std::string(value) + "'";
  } else if (name == "--difficulty") {
    if (const auto difficulty = NameIndex(kDifficultyNames, value)) {
      rules.difficulty = static_cast<Difficulty>(*difficulty);
      return true;
    }
    error = "--difficulty takes easy, normal, hard or expert, not '" + std::string(value) + "'";
  } else if (name == "--stage") {
    if (const std::optional<int32_t> stage = ParseWhole(value, kMostStages); stage && *stage > 0) {
      rules.kind = RulesKind::Practice;
      rules.stage = *stage;
      return true;
    }
    error = "--stage takes a stage from 1 to " + std::to_string(kMostStages) + ", not '" + std::string(value) + "'";
  } else {
    const std::optional<int32_t> seconds = value == "carrier" ? kFromCarrier : ParseWhole(value, kMaxPracticeSeconds);
    if (seconds) {
      rules.kind = RulesKind::Practice;
      rules.fromSeconds = *seconds;
      return true;
    }
    error = "--practice takes a whole number of seconds from 0 to " + std::to_string(kMaxPracticeSeconds) +
            " or 'carrier', not '" + std::string(value) + "'";
  }
  return false;
}

CommandLine ParseOptions(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::optional<std::string_view> inlineValue;
    if (const size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      inlineValue = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    const OptionEntry* entry = FindOption(arg);
    if (entry == nullptr) {
      line.error = (arg.starts_with("-") ? "unknown option '" : "unexpected argument '") + std::string(argv[i]) + "'";
      line.action = CommandLine::Action::UsageError;
      return line;
    }
    std::string_view value;
    if (entry->takesValue && inlineValue) {
      value = *inlineValue;
    } else if (entry->takesValue && i + 1 < argc) {
      value = argv[++i];
    } else if (entry->takesValue) {
      line.error = std::string(entry->name) + " needs a value";
    } else if (inlineValue) {
      line.error = std::string(entry->name) + " takes no value";
    }
    if (!line.error.empty() || !Apply(*entry, value, line)) {
      line.action = CommandLine::Action::UsageError;
      return line;
    }
  }
  if (line.seekSeconds && line.replayPath.empty() && line.action == CommandLine::Action::Run) {
    line.error = "--seek needs --replay";
    line.action = CommandLine::Action::UsageError;
  }
  return line;
}

std::string UsageText() {
  return std::string(
             "Usage: kestrova [OPTION]...\n"
             "A vertically scrolling shoot-'em-up. Without options a settings dialog\n"
         "asks for the display mode and the input device.\n"
         "\n"
         "  --window        play in a window (skips the settings dialog)\n"
         "  --fullscreen    play full screen, the picture as large as fits\n"
         "  --keyboard      play with the keyboard (skips the settings dialog)\n"
         "  --joystick      play with a joystick or gamepad as well as the keyboard\n"
         "                  (skips the settings dialog)\n"
         "  --scale N       make the window N times 640 x 480, N from 1 to 8\n"
         "  --integer-scale keep the picture at whole multiples of 640 x 480, pixel\n"
         "                  for pixel, however much black is left around it\n"
         "  --volume N      play music and sounds at N percent, N from 0 to 100\n"
         "  --mute          start with music and sounds off\n"
         "  --no-pause      play on while the window is away (play pauses by default)\n"
         "  --data DIR      read the game data and keep the scores in DIR; without\n"
         "                  it, data under the current folder when it holds the\n"
         "                  game, else the installed data with the scores in\n"
         "                  $XDG_DATA_HOME/kestrova (~/.local/share/kestrova)\n"
         "  --sheet FILE    use the 8-bit BMP FILE as the sprite sheet\n"
         "  --record FILE   write this run's start choices and every frame's keys\n"
         "                  and joystick to FILE (a replay)\n"
         "  --replay FILE   watch a recorded run; it saves no score and closes when\n"
         "                  the run ends. Space pauses, Shift plays one frame, Up\n"
         "                  and Down change the speed, Left and Right go 10 s back\n"
         "                  and on, Escape stops\n"
         "  --seek SECONDS  with --replay: start watching that far into the run\n") +
         kRulesUsage +
         "  --frame-stats   at the end, print on standard error how many frames\n"
         "                  were shown, the median and 99th percentile time between\n"
         "                  them, and how many were late (more than 1 ms over\n"
         "                  16.667 ms)\n"
         "  --lang L        show the texts in L, en (English) or ja (Japanese),\n"
         "                  whatever the locale (LANGUAGE, LC_ALL, LC_MESSAGES,\n"
         "                  LANG) says\n"
         "  --board URL     at an arcade game over, offer to send the run to the\n"
         "                  online board at URL (kestrova-board); over the\n"
         "                  [board] address of settings.ini\n"
         "  --help          show this help and exit\n"
         "  --version       show the version and exit\n"
         "\n"
         "Either of --window and --fullscreen, or of --keyboard and --joystick,\n"
         "skips the dialog; the other choice then keeps its default (window,\n"
         "keyboard).\n"
         "\n"
         "Keys: arrows move, Space fires and starts, Shift drops a bomb,\n"
         "Escape asks whether to quit. A right click quits at once. Return or F1\n"
         "opens the menu (video, sound, quit).\n"
         "M mutes and unmutes, - and + (or =) step the volume.\n"
         "$XDG_CONFIG_HOME/kestrova/settings.ini (~/.config/kestrova) changes\n"
         "the keys and the pad's buttons.\n";
}

std::string VersionText() { return std::string("kestrova ") + kVersion + "\n"; }
