// kestrova-sim: the game from start-up without a window, one line per frame.
// Our test oracle: the same arguments give the same output in every build and
// on every run. It never writes the score file.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/data_places.hpp"
#include "app/headless_core.hpp"
#include "app/options.hpp"
#include "app/replay.hpp"
#include "app/state_report.hpp"
#include "sim/page_png.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kestrova-sim [--frames N] [--input FILE] [--data DIR] [--trace] [--last] [--png FRAME:FILE]... [--joystick]\n"
    "                    [--record FILE] [--rules R] [--difficulty D] [--practice S] [--stage N]\n"
    "       kestrova-sim [--data DIR] --verify REPLAY...\n"
    "       kestrova-sim --help | --version\n"
    "  --input FILE: an input script, or a replay recorded by kestrova --record\n"
    "  --last: prints only the last frame's line (and trace), much faster\n"
    "  --record FILE: writes the run as a replay that checks itself\n"
    "  --rules, --difficulty, --practice, --stage: as the game takes them (a replay's own\n"
    "            rules unless given)\n"
    "  --verify: plays each replay to its end and names those that differ: a replay\n"
    "            recorded by kestrova --record or --record here checks itself against\n"
    "            its own lines; an older one against NAME.last beside NAME.krp, the\n"
    "            line of its last frame\n";

struct SimOptions {
  int64_t frames = 600;
  std::string input;
  std::string dataDir;  // --data; else found as the game finds it
  std::string record;
  bool trace = false;
  bool last = false;
  bool joystick = false;
  std::map<int64_t, std::string> pngs;
  std::vector<std::string> verify;
  std::optional<GameRules> rules;
};

int UsageError(const std::string& message) {
  std::fprintf(stderr, "kestrova-sim: %s\n%s", message.c_str(), kUsage);
  return 2;
}

bool ParseFrameNumber(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::strtoll(text.c_str(), nullptr, 10);
  return value >= 0;
}

int ParseArgs(int argc, char** argv, SimOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return -1;
    } else if (arg == "--version") {
      std::printf("kestrova-sim %s\n", KESTROVA_VERSION);
      return -1;
    } else if (arg == "--trace") {
      options.trace = true;
    } else if (arg == "--last") {
      options.last = true;
    } else if (arg == "--joystick") {
      options.joystick = true;
    } else if (arg == "--frames" && hasValue) {
      if (!ParseFrameNumber(argv[++i], options.frames)) return UsageError("--frames takes a whole number");
    } else if (arg == "--input" && hasValue) {
      options.input = argv[++i];
    } else if (arg == "--data" && hasValue) {
      options.dataDir = argv[++i];
    } else if (arg == "--record" && hasValue && argv[i + 1][0] != '\0') {
      options.record = argv[++i];
    } else if (IsRulesOption(arg) && hasValue) {
      std::string error;
      if (!options.rules) options.rules.emplace();
      if (!ApplyRulesOption(arg, argv[++i], *options.rules, error)) return UsageError(error);
    } else if (arg == "--verify" && hasValue) {
      options.verify.assign(argv + i + 1, argv + argc);
      break;
    } else if (arg == "--png" && hasValue) {
      const std::string value = argv[++i];
      const size_t colon = value.find(':');
      int64_t frame = 0;
      if (colon == std::string::npos || !ParseFrameNumber(value.substr(0, colon), frame) || frame == 0 ||
          colon + 1 == value.size()) {
        return UsageError("--png takes FRAME:FILE with FRAME from 1");
      }
      options.pngs[frame] = value.substr(colon + 1);
    } else {
      return UsageError("unknown or incomplete option '" + arg + "'");
    }
  }
  return 0;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Empty when the replay ends as recorded; else what went wrong, naming the file.
std::string VerifyReplay(const std::string& path, const std::string& dataDir) {
  Replay replay;
  std::string error;
  if (!LoadReplay(path, replay, error)) return error;
  std::string expected;
  if (!replay.stamp) {
    const std::string lastPath = path.substr(0, path.rfind('.')) + ".last";
    expected = ReadText(lastPath);
    int64_t frames = 0;
    if (!ParseFrameNumber(expected.substr(0, expected.find(' ')), frames) || frames == 0) {
      return lastPath + ": no recorded last line";
    }
  }
  const std::string verdict = CheckReplay(replay, dataDir, expected);
  return verdict.empty() ? "" : path + ": " + verdict;
}

// One game per thread at a time; the results in the order of the files.
int Verify(const std::vector<std::string>& paths, const std::string& dataDir) {
  std::vector<std::string> verdicts(paths.size());
  std::atomic<size_t> next{0};
  const auto worker = [&] {
    for (size_t i = next++; i < paths.size(); i = next++) verdicts[i] = VerifyReplay(paths[i], dataDir);
  };
  const size_t count = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, paths.size());
  std::vector<std::thread> threads;
  for (size_t t = 0; t < count; ++t) threads.emplace_back(worker);
  for (std::thread& t : threads) t.join();
  int status = 0;
  for (size_t i = 0; i < paths.size(); ++i) {
    if (verdicts[i].empty()) {
      std::printf("ok %s\n", paths[i].c_str());
    } else {
      std::printf("FAIL %s\n", verdicts[i].c_str());
      status = 1;
    }
  }
  return std::fflush(stdout) == 0 ? status : 1;
}

// The line of a frame, and its trace if asked: hashing the page costs more
// than playing the frame, so only for lines printed.
void PrintFrame(int64_t frame, const FrameOutput& out, const PlayState& state, bool trace) {
  std::fputs(FrameLine(frame, out.screen, out.page, state).c_str(), stdout);
  if (trace) std::printf("%s\n", TracePlayState(state, out.sounds).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  SimOptions options;
  // -1: --help or --version has answered.
  if (const int status = ParseArgs(argc, argv, options); status != 0) return status < 0 ? 0 : status;
  const DataPlaces places = FindDataPlaces(GatherPlaceFacts(options.dataDir));
  if (places.dataDir.empty()) {
    std::fprintf(stderr, "kestrova-sim: %s\n", places.problem.c_str());
    return 1;
  }
  options.dataDir = places.dataDir;
  if (!options.verify.empty()) return Verify(options.verify, options.dataDir);

  // A replay file's header gives the start choices; a plain script plays in a window.
  Replay replay;
  if (!options.input.empty()) {
    std::string error;
    if (!LoadReplay(options.input, replay, error)) {
      std::fprintf(stderr, "kestrova-sim: %s\n", error.c_str());
      return 2;
    }
  }
  if (options.joystick) replay.keyboard = 0;
  if (options.rules) replay.rules = *options.rules;

  std::string message;
  std::optional<Core> core = StartHeadlessCore(options.dataDir, replay.Choices(), message);
  if (!core) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
  }
  std::optional<ReplayRecorder> recorder;
  if (!options.record.empty()) recorder.emplace(replay.Choices(), StampFor(options.dataDir, replay.rules));
  FrameOutput out;
  int64_t played = 0;
  // The window closes after the frame that asked for it.
  for (int64_t frame = 1; frame <= options.frames && !out.close; ++frame) {
    const FrameInput input = replay.script.InputAt(frame);
    out = core->Step(input, !options.last || frame == options.frames || options.pngs.count(frame) > 0);
    played = frame;
    if (recorder) recorder->Add(input, out, core->State());
    if (!options.last) PrintFrame(frame, out, core->State(), options.trace);
    if (const auto png = options.pngs.find(frame); png != options.pngs.end()) {
      std::string error;
      if (!sim::WritePagePng(png->second, out.page, core->GetPalette(), error)) {
        std::fprintf(stderr, "kestrova-sim: cannot write %s: %s\n", png->second.c_str(), error.c_str());
        return 1;
      }
    }
  }
  if (options.last && played > 0) PrintFrame(played, out, core->State(), options.trace);
  if (recorder) {
    std::string error;
    if (!SaveReplay(options.record, recorder->Finish(out.page, core->State()).Text(), error)) {
      std::fprintf(stderr, "kestrova-sim: %s\n", error.c_str());
      return 1;
    }
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
