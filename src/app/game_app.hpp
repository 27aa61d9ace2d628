// The game on a window: start-up brings up the window, the settings dialog,
// the video, the sprite sheet, the sound, the joystick and the data, and makes
// the core; each idle call steps the core once and shows and sounds its frame;
// shutdown enters the run's score. The host owns the loop and feeds each
// frame's input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/input_script.hpp"
#include "app/replay_viewer.hpp"
#include "app/resources.hpp"
#include "audio/sound.hpp"
#include "data/high_score.hpp"
#include "platform/platform.hpp"
#include "ui/core.hpp"

struct AppOptions {
  // Either one given skips the settings dialog; the other keeps its default.
  std::optional<int32_t> fullScreen;
  std::optional<int32_t> keyboard;
  std::string dataDir = "data";  // empty: none was found, for `dataProblem`'s reason
  std::string dataProblem;
  std::string scorePath;  // empty: score.dat in dataDir
  std::string sheetPath;   // a sprite sheet to use instead of the built-in one
  bool saveScores = true;  // at exit, and a run with stakes' initials when entered
  GameRules rules;  // the standard game unless the player chose others
  bool pauseWhenAway = true;  // play stops while the window has no focus
  // A recording is watched: the window says so, it runs on while away, and
  // the stick is the one it recorded (none: no stick opened), not the one
  // plugged in.
  bool replay = false;
  std::optional<JoyCaps> replayStick;
  ArcadeTable replayBest;  // arcade: the difficulty's table as the recorded run began
};

// Options to watch `replay` with: its own start choices and rules (anything
// else would be another run), and nothing saved into the watcher's scores.
void WatchReplayWith(const Replay& replay, AppOptions& options);

class CGameApp {
 public:
  CGameApp(platform::Platform& platform, AppOptions options, Resources resources);

  // 1 = started; 0 = a step failed, after its message.
  int32_t InitInstance();
  // One frame with `input`, its page presented and its sounds started; 0
  // once the game has asked for the window to close.
  int32_t OnIdle(const FrameInput& input);
  // A tick of a recording watched through `viewer`, steered by the live
  // input; its page presented, with the viewer's bar when that is shown. 0
  // once the recording has ended or the viewer was told to stop.
  int32_t OnIdleWatching(ReplayViewer& viewer, const FrameInput& live);
  // The window lost the focus: true when play stopped and its paused page
  // is shown; no idle call should run until the focus is back.
  bool OnAway();
  int ExitInstance();
  // Enters this run's score into the score file, merged with what the file
  // holds then; a later call replaces the run's earlier entry. False when
  // nothing was saved (also when start-up never read the scores).
  bool SaveScore();

  // What hosts report of the game after a frame: the play state (valid once
  // started) and the frame's output.
  const PlayState& State() const { return m_core->State(); }
  const FrameOutput& LastFrame() const { return m_lastFrame; }
  const StartChoices& Choices() const { return m_choices; }

 private:
  int32_t LoadData(CoreSetup& setup);
  std::string ScorePath() const;
  // The difficulty's best runs, beside the score file: "arcade-normal.dat".
  std::string ArcadePath() const;

  platform::Platform& m_platform;
  AppOptions m_options;
  Resources m_resources;
  CSound m_sound;
  HighScoreTable m_highScores;
  StartChoices m_choices;
  std::optional<Core> m_core;  // made once start-up has succeeded
  FrameOutput m_lastFrame;
  std::optional<int16_t> m_savedScore;  // the run's entry in the file, once saved
};
