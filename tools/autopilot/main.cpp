// kestrova-autopilot: plays the stage from the title screen to the stage
// clear without a window, with a fixed policy, and reports per 30 seconds
// what it cost; its run is a replay. The same data gives the same run.
#include <cstdio>
#include <string>
#include <vector>

#include "autopilot/pilot.hpp"
#include "autopilot/report.hpp"
#include "common/byte_file.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kestrova-autopilot [--data DIR] [--out FILE]\n"
    "       kestrova-autopilot --help | --version\n"
    "  plays the stage in DIR (default: data) from the title screen, dodging,\n"
    "  aiming and bombing, and prints per 30 seconds of play the energy lost,\n"
    "  the bombs used and the enemies destroyed and escaped; exits 1 when the\n"
    "  stage was not cleared\n"
    "  --out FILE: writes the run as a replay when the stage was cleared\n";

struct PilotOptions {
  std::string dataDir = "data";
  std::string out;
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
              "# (and its .last) after changing the stage.\n");
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  PilotOptions options;
  if (const int status = ParseArgs(argc, argv, options); status != 0) return status < 0 ? 0 : status;

  autopilot::Pilot pilot(options.dataDir);
  if (!pilot.Start()) {
    std::fprintf(stderr, "kestrova-autopilot: the game did not start with the data in %s\n", options.dataDir.c_str());
    return 1;
  }
  const bool reachedClear = pilot.Fly();
  const autopilot::Verdict verdict = autopilot::Judge(pilot.Counts(), reachedClear);
  std::printf("%s%s\n", autopilot::ReportTable(pilot.Counts()).c_str(), verdict.text.c_str());
  if (!verdict.cleared) {
    std::fprintf(stderr, "kestrova-autopilot: the stage in %s was not cleared%s\n", options.dataDir.c_str(),
                 options.out.empty() ? "" : ("; " + options.out + " not written").c_str());
    return 1;
  }
  if (!options.out.empty()) {
    const std::string text = ReplayText(pilot.Recording());
    if (!tools::WriteWholeFile("kestrova-autopilot", options.out, std::vector<uint8_t>(text.begin(), text.end()))) {
      return 1;
    }
    std::printf("replay: %s, %lld idle calls\n", options.out.c_str(),
                static_cast<long long>(pilot.Recording().script.Length()));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
