// The game on the desktop, and its loop: the window's events, then one frame
// of the player's input or a recording's, until the window closes.
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/board_address.hpp"
#include "app/controls.hpp"
#include "app/data_places.hpp"
#include "app/environment.hpp"
#include "app/game_app.hpp"
#include "app/language.hpp"
#include "app/options.hpp"
#include "app/replay.hpp"
#include "app/settings_file.hpp"
#include "app/view_settings.hpp"
#include "platform/sdl/frame_pacer.hpp"
#include "platform/sdl/gettext_translator.hpp"
#include "platform/sdl/sdl_controls.hpp"
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
    input.stick = platform.ReadInput(input.keys);
    input.click = events.leftClick;
    input.menu = events.menu || platform.PadAsksForMenu();
    input.keyName = events.keyName;
    input.buttonName = events.buttonName;
    // The recording's end closes the window; live keys and the pad only steer the viewer.
    const int64_t played = app.Frames();
    const bool more = viewer ? app.OnIdleWatching(*viewer, input) != 0 : app.OnIdle(input) != 0;
    // A frame of the menu is none of the game's.
    if (run.recorder != nullptr && app.Frames() != played) run.recorder->Add(app.LastInput(), app.LastFrame(), app.State());
    if (!more) break;
  }
  platform.DestroyWindow();
}

// What the player keeps in their settings folder: the controls, with a
// warning for every part that keeps its default, their own pad mappings, and
// the view and the sound, and the board runs are sent to, which the command
// line overrides. The settings file's path; empty when there is none.
std::string ReadPlayerSettings(CommandLine& line, sdl::SdlSettings& settings) {
  const std::string folder = SettingsFolder(Environment("XDG_CONFIG_HOME"), Environment("HOME"));
  if (folder.empty()) return "";
  const std::string path = folder + "/settings.ini";
  std::vector<std::string> warnings;
  settings.controls = LoadControls(path, sdl::SdlControlNames(), warnings);
  std::string text, error;
  ViewAndSound kept;
  if (ReadSettingsText(path, text, error) == SettingsRead::Read) {
    std::vector<std::string> parsed;  // the same lines' warnings came with the controls
    const SettingsFile file = SettingsFile::Parse(text, path, parsed);
    kept = ReadViewAndSound(file, path, kept, warnings);
    const std::string board = ReadBoardAddress(file, path, warnings);
    if (line.app.boardAddress.empty()) line.app.boardAddress = board;
  }
  for (const std::string& warning : warnings) std::fprintf(stderr, "kestrova: warning: %s\n", warning.c_str());
  settings.padMappings = folder + "/gamecontrollerdb.txt";
  settings.settingsPath = path;
  settings.integerScale = line.integerScale || kept.integerScale;
  settings.start = kept.start;
  const bool soundGiven = line.volume != kMaxVolume || line.muted;
  settings.audio = soundGiven ? PlayerVolume{line.volume, line.muted} : kept.volume;
  return path;
}

ViewAndSound ViewAndSoundOf(const sdl::SdlPlatform& platform) {
  return ViewAndSound{platform.View().integerScale, platform.Volume(), platform.Start()};
}

// Start-up, the loop and shutdown; the program's exit code. With
// `recordPath`, the run is written there as a replay.
int RunGame(sdl::SdlPlatform& platform, const AppOptions& options, RunInput run, const std::string& recordPath = "") {
  CGameApp app(platform, options, BuiltinResources(), platform.Texts());
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

int Play(const CommandLine& line, sdl::SdlPlatform& platform);

}  // namespace

int main(int argc, char** argv) {
  CommandLine line = ParseOptions(argc, argv);
  if (line.action != CommandLine::Action::Run) {
    // Help and mistakes speak --lang's language or the locale's; the menu's
    // choice lives in the settings file, which only a game reads.
    const sdl::GettextTranslator texts(ChooseLanguage(GatherLanguageFacts(line.language)), FindLocaleFolder());
    switch (line.action) {
      case CommandLine::Action::Help:
        std::fputs(texts.Translate(UsageText().c_str()), stdout);
        return 0;
      case CommandLine::Action::UsageError:
        std::fprintf(stderr, texts.Translate("kestrova: %s\nTry 'kestrova --help' for the options.\n"),
                     line.error.c_str());
        return kUsageErrorStatus;
      default:
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    }
  }
  sdl::SdlSettings settings{.scale = line.scale,
                            .integerScale = line.integerScale,
                            .audio = {line.volume, line.muted},
                            .frameStats = line.frameStats};
  const std::string settingsPath = ReadPlayerSettings(line, settings);
  // The command line's language, else the one the menu chose, else the desktop's.
  const std::string language = line.language.empty() ? settings.start.language : line.language;
  const sdl::GettextTranslator texts(ChooseLanguage(GatherLanguageFacts(language)), FindLocaleFolder());
  if (settingsPath.empty()) {
    std::fputs(texts.Translate("kestrova: warning: neither XDG_CONFIG_HOME nor HOME is set; the default controls\n"),
               stderr);
  }
  settings.boardAddress = line.app.boardAddress;
  settings.outboxFolder = sdl::OutboxFolder(Environment("XDG_DATA_HOME"), Environment("HOME"));
  sdl::SdlPlatform platform(std::move(settings), texts);
  const ViewAndSound atStart = ViewAndSoundOf(platform);
  const int status = Play(line, platform);
  // What the menu and the volume keys changed is there at the next start.
  std::string error;
  if (!settingsPath.empty() && !(ViewAndSoundOf(platform) == atStart) &&
      !SaveViewAndSound(settingsPath, ViewAndSoundOf(platform), error)) {
    std::fprintf(stderr, "kestrova: warning: cannot keep the settings: %s\n", error.c_str());
  }
  return status;
}

namespace {

// The game or the recording the command line asks for, on `platform`; the exit code.
int Play(const CommandLine& line, sdl::SdlPlatform& platform) {
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
  options.choicesFixed = !line.recordPath.empty();
  return RunGame(platform, options, RunInput{}, line.recordPath);
}

}  // namespace
