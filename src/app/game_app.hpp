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
#include "app/run_offer.hpp"
#include "audio/sound.hpp"
#include "data/high_score.hpp"
#include "gfx/surface.hpp"
#include "platform/platform.hpp"
#include "ui/core.hpp"
#include "ui/menu.hpp"
#include "ui/translator.hpp"

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
  // The run is recorded: the menu offers no other rules than those it started with.
  bool choicesFixed = false;
  ArcadeTable replayBest;  // arcade: the difficulty's table as the recorded run began
  // An online board's address: each arcade run's game over offers to send
  // it there. Empty: no board, and nothing is asked.
  std::string boardAddress;
};

// Options to watch `replay` with: its own start choices and rules (anything
// else would be another run), and nothing saved into the watcher's scores.
void WatchReplayWith(const Replay& replay, AppOptions& options);

class CGameApp {
 public:
  // The menu speaks `texts`, which outlive the game: the player's language
  // on the desktop, the texts as they stand elsewhere.
  CGameApp(platform::Platform& platform, AppOptions options, Resources resources,
           const Translator& texts = kSourceTexts);

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
  // started), the frames played (none while the menu is open), the last one's
  // input as the game took it and its output.
  const PlayState& State() const { return m_core->State(); }
  int64_t Frames() const { return m_frames; }
  const FrameInput& LastInput() const { return m_lastInput; }
  const FrameOutput& LastFrame() const { return m_lastFrame; }
  const StartChoices& Choices() const { return m_choices; }

 private:
  int32_t LoadData(CoreSetup& setup);
  // The music of the stage the last frame played.
  void FollowStage();
  // The core made from `setup` (the sheet and stick read) with the data,
  // scores and tables the options name; 0 after the message when it cannot be.
  int32_t StartCore(CoreSetup setup);
  // A new game on the title under other rules; false when their data cannot be played.
  bool ChangeRules(const GameRules& rules);
  // A frame of the question whether to send the run just over, over its last page.
  void OfferFrame(const FrameInput& input);
  // A frame of the menu, which `input` steers, over the last page; 0 once it quits the game.
  int32_t MenuFrame(const FrameInput& input);
  // The menu's keys and pad buttons held, by bit.
  uint32_t MenuKeys(const FrameInput& input);
  // The player's language, or the texts as they stand when the kana page is missing.
  MenuTexts MenuTextsOf() const;
  std::string ScorePath() const;
  // The difficulty's best runs, beside the score file: "arcade-normal.dat".
  std::string ArcadePath() const;

  platform::Platform& m_platform;
  AppOptions m_options;
  Resources m_resources;
  const Translator& m_texts;
  std::optional<Surface> m_kana;  // without it, the menu stays in the texts as they stand
  CSound m_sound;
  HighScoreTable m_highScores;
  StartChoices m_choices;
  std::optional<Core> m_core;  // made once start-up has succeeded
  std::optional<RunOffer> m_offer;  // with a board, an arcade sitting's frames since the core was made
  FrameOutput m_lastFrame;
  std::optional<int16_t> m_savedScore;  // the run's entry in the file, once saved
  int32_t m_musicStage = 1;  // whose music plays
  Menu m_menu;
  CJoystick m_menuPad;
  uint32_t m_menuHeld = 0;    // the menu's keys held the frame before
  uint32_t m_keptFromGame = 0;  // held as the menu closed: the game sees them once let go
  std::optional<GameRules> m_menuRules;  // as the open menu has them
  std::string m_menuNotice;  // the platform's answer to the last key given
  int32_t m_stages = 1;  // the stages the data folder holds
  int64_t m_frames = 0;
  FrameInput m_lastInput;
};
