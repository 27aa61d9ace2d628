// Checking the whole-stage replay against playing it bare (every page drawn,
// none hashed): frames per second of each, and the check's as a ratio to bare
// play's, measured in this process.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/headless_core.hpp"
#include "app/replay.hpp"
#include "app/state_report.hpp"

namespace {

const std::string kSourceDir = KESTROVA_SOURCE_DIR;

enum class Check { None, LastLine, EveryLine };

// Seconds to play the replay to its end and produce the lines `check` asks
// for; `frames` is set to the idle calls played.
double PlayReplay(const Replay& replay, Check check, int64_t& frames) {
  std::string message;
  std::optional<Core> core = StartHeadlessCore(kSourceDir + "/data", replay.Choices(), message);
  if (!core) std::abort();
  const auto start = std::chrono::steady_clock::now();
  FrameOutput out;
  frames = 0;
  while (frames < replay.script.Length() && !out.close) {
    // Bare play draws every page; the last line alone only the pages it hashes.
    const bool seen = check != Check::LastLine || frames + 1 == replay.script.Length();
    out = core->Step(replay.script.InputAt(++frames), seen);
    if (check == Check::EveryLine) benchmark::DoNotOptimize(FrameLine(frames, out.screen, out.page, core->State()));
  }
  if (check == Check::LastLine) benchmark::DoNotOptimize(FrameLine(frames, out.screen, out.page, core->State()));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Arg 0: what --verify does, the last line only; 1: every line, as printed.
void BM_CheckReplay(benchmark::State& state) {
  Replay replay;
  std::string error;
  if (!LoadReplay(kSourceDir + "/tests/replays/full_stage.krp", replay, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  const Check check = state.range(0) == 0 ? Check::LastLine : Check::EveryLine;
  int64_t frames = 0;
  double checkSeconds = 0, bareSeconds = 0;
  for (auto _ : state) {
    checkSeconds += PlayReplay(replay, check, frames);
    state.PauseTiming();
    bareSeconds += PlayReplay(replay, Check::None, frames);
    state.ResumeTiming();
  }
  const double played = static_cast<double>(frames * state.iterations());
  state.counters["fps"] = played / checkSeconds;
  state.counters["bare_fps"] = played / bareSeconds;
  state.counters["ratio"] = bareSeconds / checkSeconds;
}
BENCHMARK(BM_CheckReplay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
