// The game on the desktop.
#include <cstdio>

#include "app/data_places.hpp"
#include "app/game_app.hpp"
#include "app/options.hpp"
#include "app/replay.hpp"
#include "platform/headless/headless_platform.hpp"
#include "platform/sdl/frame_pacer.hpp"
#include "platform/sdl/sdl_platform.hpp"

namespace {

constexpr int kUsageErrorStatus = 2;

}  // namespace

int main(int argc, char** argv) {
  const CommandLine line = ParseOptions(argc, argv);
  switch (line.action) {
    case CommandLine::Action::Help:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Version:
      std::fputs(VersionText().c_str(), stdout);
      return 0;
    case CommandLine::Action::UsageError:
      std::fprintf(stderr, "kestrova: %s\nTry 'kestrova --help' for the options.\n", line.error.c_str());
      return kUsageErrorStatus;
    case CommandLine::Action::Run:
      break;
  }
  platform::sdl::SdlPlatform platform(platform::sdl::SdlSettings{.scale = line.scale,
                                                                 .integerScale = line.integerScale,
                                                                 .audio = {line.volume, line.muted},
                                                                 .frameStats = line.frameStats});
  AppOptions options = line.app;
  const DataPlaces places = FindDataPlaces(GatherPlaceFacts(line.dataGiven ? options.dataDir : ""));
  options.dataDir = places.dataDir;
  options.scorePath = places.scorePath;
  if (places.dataDir.empty()) {
    options.dataProblem = places.problem;  // shown once the window is up, as every data error
  } else if (places.scorePath.empty()) {
    std::fprintf(stderr, "kestrova: warning: %s\n", places.problem.c_str());
    options.saveScores = false;
  }
  if (!line.replayPath.empty()) {
    Replay replay;
    std::string error;
    if (!LoadReplay(line.replayPath, replay, error)) {
      std::fprintf(stderr, "kestrova: %s\n", error.c_str());
      return kUsageErrorStatus;
    }
    const int64_t skipped = int64_t{line.seekSeconds.value_or(0)} * platform::sdl::kFramesPerSecond;
    if (skipped > 0 && skipped >= replay.script.Length()) {
      std::fprintf(stderr, "kestrova: --seek %d is past the end of %s (%lld seconds)\n", *line.seekSeconds,
                   line.replayPath.c_str(), static_cast<long long>(replay.script.Length() / platform::sdl::kFramesPerSecond));
      return kUsageErrorStatus;
    }
    platform::HeadlessPlatform offscreen;
    return WatchReplay(platform, offscreen, std::move(replay), options, skipped);
  }
  if (!line.recordPath.empty()) {
    RecordingPlatform recorder(platform, line.recordPath);
    const int status = CGameApp(recorder, options, BuiltinResources()).Run();
    return recorder.Saved() ? status : 1;
  }
  return CGameApp(platform, options, BuiltinResources()).Run();
}
