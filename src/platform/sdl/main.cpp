// The game on the desktop, and its loop: the window's events, then one frame
// of the player's input or a recording's, until the window closes.
#include <cstdio>
#include <optional>

#include "app/data_places.hpp"
#include "app/game_app.hpp"
#include "app/options.hpp"
#include "app/replay.hpp"
#include "platform/sdl/frame_pacer.hpp"
#include "platform/sdl/sdl_platform.hpp"

namespace {

constexpr int kUsageErrorStatus = 2;

namespace sdl = platform::sdl;

// Where a run's frames come from, and where they go.
struct RunInput {
  const Replay* watched = nullptr;  // the recording's input instead of the player's
  int64_t skipped = 0;  // its frames played ahead before the window shows
  ReplayRecorder* recorder = nullptr;  // notes every frame
};

// The frames after start-up until the window closes.
void RunLoop(CGameApp& app, sdl::SdlPlatform& platform, const RunInput& run) {
  std::optional<ReplayViewer> viewer;
  if (run.watched != nullptr) {
    viewer.emplace(*run.watched, run.skipped);
    // The player's own pad steers the viewer; the recording keeps its stick.
    JoyCaps pad;
    platform.OpenJoystick(pad);
  }
  platform.DropStartUpClicks();
  bool paused = false;
  for (;;) {
    const sdl::WindowEvents events = platform.PumpEvents();
    if (events.close || events.rightClick) break;
    if (events.focused == true && paused) {
      paused = false;
      platform.SetAudioPaused(false);
    } else if (events.focused == false && !paused && app.OnAway()) {
      paused = true;
      platform.SetAudioPaused(true);
    }
    if (paused) {
      platform.WaitEvent();
      continue;
    }
    FrameInput input;
    platform.ReadKeys(input.keys);
    input.stick = platform.PollJoystick();
    input.click = events.leftClick;
    // The recording's end closes the window; live keys and the pad only steer the viewer.
    const bool more = viewer ? app.OnIdleWatching(*viewer, input) != 0 : app.OnIdle(input) != 0;
    if (run.recorder != nullptr) run.recorder->Add(input, app.LastFrame(), app.State());
    if (!more) break;
  }
  platform.DestroyWindow();
}

// Start-up, the loop and shutdown; the program's exit code. With
// `recordPath`, the run is written there as a replay.
int RunGame(sdl::SdlPlatform& platform, const AppOptions& options, RunInput run, const std::string& recordPath = "") {
  CGameApp app(platform, options, BuiltinResources());
  if (!app.InitInstance()) {
    app.ExitInstance();
    return 1;
  }
  // The start choices a replay keeps are known once start-up has made them.
  std::optional<ReplayRecorder> recorder;
  if (!recordPath.empty()) run.recorder = &recorder.emplace(app.Choices(), StampFor(options.dataDir, options.rules));
  RunLoop(app, platform, run);
  std::string error;
  const bool saved =
      !recorder || SaveReplay(recordPath, recorder->Finish(app.LastFrame().page, app.State()).Text(), error);
  if (!saved) std::fprintf(stderr, "kestrova: %s\n", error.c_str());
  const int status = app.ExitInstance();
  return saved ? status : 1;
}

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
  sdl::SdlPlatform platform(sdl::SdlSettings{.scale = line.scale,
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
    const int64_t skipped = int64_t{line.seekSeconds.value_or(0)} * sdl::kFramesPerSecond;
    if (skipped > 0 && skipped >= replay.script.Length()) {
      std::fprintf(stderr, "kestrova: --seek %d is past the end of %s (%lld seconds)\n", *line.seekSeconds,
                   line.replayPath.c_str(), static_cast<long long>(replay.script.Length() / sdl::kFramesPerSecond));
      return kUsageErrorStatus;
    }
    WatchReplayWith(replay, options);
    return RunGame(platform, options, RunInput{.watched = &replay, .skipped = skipped});
  }
  return RunGame(platform, options, RunInput{}, line.recordPath);
}
