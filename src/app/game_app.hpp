// The application: start-up, the idle-driven frame loop and shutdown. The
// game's operations live in the folders of their subsystems and work on what
// they are handed; the application holds it all and forwards to them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "audio/sound.hpp"
#include "data/high_score.hpp"
#include "data/tables.hpp"
#include "game/play.hpp"
#include "game/play_state.hpp"
#include "platform/platform.hpp"
#include "ui/main_frame.hpp"

struct AppOptions {
  // Either one given skips the settings dialog; the other keeps its default.
  std::optional<int32_t> fullScreen;
  std::optional<int32_t> keyboard;
  std::string dataDir = "data";  // empty: none was found, for `dataProblem`'s reason
  std::string dataProblem;
  std::string scorePath;  // empty: score.dat in dataDir
  std::string sheetPath;   // a sprite sheet to use instead of the built-in one
  bool saveScores = true;  // at exit; the simulator never writes the score file
  bool pauseWhenAway = true;  // play stops while the window has no focus
};

// The program's resources, compiled into the binary.
struct Resources {
  std::span<const uint8_t> icon;   // 128
  std::span<const uint8_t> sheet;  // 132
  std::span<const uint8_t> music;  // "WAVE" "VESK"
  EffectResources effects;  // waves, in the order of kEffectNames
};
Resources BuiltinResources();

// A game part-way: the play state and the pages that carry from one frame to
// the next (the back page's sides and the background ring are drawn into,
// never cleared). Restored into a started game, it goes on as the saved one.
struct Snapshot {
  PlayState play;
  Surface back;
  Surface scroll;
};

class CGameApp {
 public:
  CGameApp(platform::Platform& platform, AppOptions options, Resources resources);
  ~CGameApp();

  int32_t InitInstance();
  int32_t OnIdle();
  int ExitInstance();
  // InitInstance, the message loop and ExitInstance; the program's exit
  // code. With `start`, the game goes on from there once started up.
  int Run(const Snapshot* start = nullptr);

  // Each screen reads its input, draws its frame and presents it.
  void DrawTitleScreen();
  void DrawStageClearScreen();
  void DrawExitQueryScreen();
  void RunFrameOfPlay();
  // The steps of a frame of play, one at a time.
  void StepStageScript();
  void UpdateBackground();
  void UpdatePlayer();
  int32_t UpdateObject(int32_t kind);
  void DrawScore(int32_t score);
  void DrawNumber(int32_t value, int32_t right, int32_t top);

  int32_t LoadData();
  // Enters this run's score into the score file, merged with what the file
  // holds then; a later call replaces the run's earlier entry. False when
  // nothing was saved (also when start-up never read the scores).
  bool SaveScore();

  // The effects the last idle call started.
  const FrameSounds& LastSounds() const { return m_lastSounds; }

  Snapshot SaveSnapshot() const;
  void RestoreSnapshot(const Snapshot& snapshot);

  PlayState m_play;
  std::unique_ptr<GameData> m_data;  // read at start-up
  HighScoreTable m_highScores;
  std::unique_ptr<CMainFrame> m_pFrame;
  CMainFrame* m_pMainWnd = nullptr;  // set once start-up has succeeded
  platform::Platform& m_platform;
  uint8_t m_keys[256] = {};  // keyboard state of the current idle call

 private:
  Play PlayOf() { return Play(m_play, *m_data, m_pFrame->m_display, m_pFrame->m_sounds); }
  // The keyboard, and the joystick for the screens that poll it.
  void ReadInput(bool pollJoystick);

  AppOptions m_options;
  Resources m_resources;
  std::vector<uint8_t> m_sheetFile;  // --sheet: read at start-up
  bool m_scoresLoaded = false;       // only then may the table be saved
  std::optional<int16_t> m_savedScore;  // the run's entry in the file, once saved
  FrameSounds m_lastSounds;

  std::string ScorePath() const;
  // One frame's drawing, then its page presented; drawing nobody will see is
  // left out where the next frame draws over it.
  void DrawFrame(const std::function<void(CDisplay&)>& draw);
};
