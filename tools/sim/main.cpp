// kestrova-sim: the game from start-up on the headless platform, one line per
// idle call. Our test oracle: the same arguments give the same output in every
// build and on every run. It never writes the score file.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "app/game_app.hpp"
#include "app/replay.hpp"
#include "app/scripted_platform.hpp"
#include "app/state_report.hpp"
#include "platform/headless/headless_platform.hpp"
#include "sim/page_png.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kestrova-sim [--frames N] [--input FILE] [--data DIR] [--trace] [--png FRAME:FILE]... [--joystick]\n"
    "  --input FILE: an input script, or a replay recorded by kestrova --record\n";

struct SimOptions {
  int64_t frames = 600;
  std::string input;
  std::string dataDir = "data";
  bool trace = false;
  bool joystick = false;
  std::map<int64_t, std::string> pngs;
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
    if (arg == "--trace") {
      options.trace = true;
    } else if (arg == "--joystick") {
      options.joystick = true;
    } else if (arg == "--frames" && hasValue) {
      if (!ParseFrameNumber(argv[++i], options.frames)) return UsageError("--frames takes a whole number");
    } else if (arg == "--input" && hasValue) {
      options.input = argv[++i];
    } else if (arg == "--data" && hasValue) {
      options.dataDir = argv[++i];
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

}  // namespace

int main(int argc, char** argv) {
  SimOptions options;
  if (const int status = ParseArgs(argc, argv, options); status != 0) return status;

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

  platform::HeadlessPlatform headless;
  ScriptedPlatform scripted(headless, std::move(replay.script));
  AppOptions app;
  app.fullScreen = replay.fullScreen;
  app.keyboard = replay.keyboard;
  app.dataDir = options.dataDir;
  app.saveScores = false;
  CGameApp game(scripted, app, BuiltinResources());
  if (!game.InitInstance()) return 1;

  for (int64_t frame = 1; frame <= options.frames && !headless.CloseRequested(); ++frame) {
    std::fputs(scripted.StepGame(game).c_str(), stdout);
    if (options.trace) std::printf("%s\n", TracePlayState(game.m_play).c_str());
    if (const auto png = options.pngs.find(frame); png != options.pngs.end()) {
      std::string error;
      if (!sim::WritePagePng(png->second, scripted.LastPage(), headless.LastPalette(), error)) {
        std::fprintf(stderr, "kestrova-sim: cannot write %s: %s\n", png->second.c_str(), error.c_str());
        return 1;
      }
    }
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
