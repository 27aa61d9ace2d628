// kestrova-autopilot: plays the stage from the title screen to the stage
// clear without a window, with a fixed policy, and reports per 30 seconds
// what it cost; its run is a replay. The same data gives the same run.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/headless_core.hpp"
#include "app/options.hpp"
#include "autopilot/pilot.hpp"
#include "autopilot/report.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kestrova-autopilot [--data DIR] [--out FILE] [--rules R] [--difficulty D] [--practice S] [--stage N]\n"
    "       kestrova-autopilot --help | --version\n"
    "  plays the stage in DIR (default: data) from the title screen, dodging,\n"
    "  aiming and bombing, and prints per 30 seconds of play the energy lost,\n"
    "  the bombs used and the enemies destroyed and escaped; exits 1 when the\n"
    "  stage was not cleared\n"
    "  --out FILE: writes the run as a replay when the stage was cleared\n"
    "  --rules, --difficulty, --practice, --stage: as the game takes them; with stakes a\n"
    "  column counts the lives lost\n";

struct PilotOptions {
  std::string dataDir = "data";
  std::string out;
  StartChoices choices;
};

int UsageError(const std::string& message) {
  std::fprintf(stderr, "kestrova-autopilot: %s\n%s", message.c_str(), kUsage);
  return 2;
}

// -1: --help or --version has answered.
int ParseArgs(int argc, char** argv, PilotOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc && argv[i + 1][0] != '\0';
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return -1;
    } else if (arg == "--version") {
      std::printf("kestrova-autopilot %s\n", KESTROVA_VERSION);
      return -1;
    } else if (arg == "--data" && hasValue) {
      options.dataDir = argv[++i];
    } else if (arg == "--out" && hasValue) {
      options.out = argv[++i];
    } else if (IsRulesOption(arg) && hasValue) {
      std::string error;
      if (!ApplyRulesOption(arg, argv[++i], options.choices.rules, error)) return UsageError(error);
    } else {
      return UsageError("unknown or incomplete option '" + arg + "'");
    }
  }
  return 0;
}

// The replay with a note on where it came from.
std::string ReplayText(const Replay& replay) {
  std::string text = replay.Text();
  text.insert(text.find('\n') + 1,
              "# Played by kestrova-autopilot on the committed data; make it anew\n"
              "# after changing the stage.\n");
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  PilotOptions options;
  if (const int status = ParseArgs(argc, argv, options); status != 0) return status < 0 ? 0 : status;

  std::string message;
  const std::optional<Core> game = StartHeadlessCore(options.dataDir, options.choices, message);
  if (!game) {
    std::fprintf(stderr, "%s\nkestrova-autopilot: the game did not start with the data in %s\n", message.c_str(),
                 options.dataDir.c_str());
    return 1;
  }
  autopilot::Pilot pilot(*game, options.choices, StampFor(options.dataDir, options.choices.rules));
  const bool reachedClear = pilot.Fly();
  const bool stakes = options.choices.rules.kind != RulesKind::Standard;
  // A report per stage, each headed by its number when the run played more than one.
  const std::vector<autopilot::Tally>& stages = pilot.Counts();
  bool cleared = true;
  for (size_t i = 0; i < stages.size(); ++i) {
    const autopilot::Verdict verdict = autopilot::Judge(stages[i], reachedClear || i + 1 < stages.size(), stakes);
    if (stages.size() > 1) std::printf("stage %zu\n", i + 1);
    std::printf("%s%s\n", autopilot::ReportTable(stages[i], stakes).c_str(), verdict.text.c_str());
    cleared = cleared && verdict.cleared;
  }
  if (!cleared) {
    std::fprintf(stderr, "kestrova-autopilot: the stage in %s was not cleared%s\n", options.dataDir.c_str(),
                 options.out.empty() ? "" : ("; " + options.out + " not written").c_str());
    return 1;
  }
  if (!options.out.empty()) {
    const Replay replay = pilot.Recording();
    std::string error;
    if (!SaveReplay(options.out, ReplayText(replay), error)) {
      std::fprintf(stderr, "kestrova-autopilot: %s\n", error.c_str());
      return 1;
    }
    std::printf("replay: %s, %lld idle calls\n", options.out.c_str(), static_cast<long long>(replay.script.Length()));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
