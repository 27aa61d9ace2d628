// The game as a value a host steps one frame at a time. The host owns the
// loop: it reads the frame's input, steps, shows the page through the palette
// and starts the sounds; it closes the window when asked, and enters the
// score when the game ends. Everything that carries from one frame to the
// next is the play state, which can be read and restored whole.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "audio/effects.hpp"
#include "data/arcade_table.hpp"
#include "data/difficulty.hpp"
#include "data/high_score.hpp"
#include "data/tables.hpp"
#include "game/play_state.hpp"
#include "game/rules.hpp"
#include "gfx/display.hpp"
#include "gfx/sprite_sheet.hpp"
#include "input/joystick.hpp"
#include "input/keyboard.hpp"

struct FrameInput {
  KeyboardState keys{};  // by virtual-key code; 0x80 marks a key that is down
  JoyReading stick;      // what the stick read; looked at only when one opened at start-up
  bool click = false;    // a left click on the window just before the frame
  bool menu = false;     // the player asked for the menu (Return, F1, a pad's Start): the host's, never the game's
  std::string keyName;   // a key pressed just before the frame, by the platform's name: the menu's, never the game's
  std::string buttonName;  // a pad button pressed likewise
};

struct FrameOutput {
  const char* screen = "";  // the screen the frame ran, as ScreenName gives it
  std::span<const uint8_t> page;  // PAGE_WIDTH x PAGE_HEIGHT, valid until the next step
  FrameSounds sounds;  // the effects the frame started
  bool close = false;  // Y was confirmed on the exit query: the window is to close
  int16_t score = 0;   // the run's score, entered into the table when the game ends
  int32_t stage = 1;   // the stage the frame played, whose music is to be heard
  // A run with stakes: the initials entered for its difficulty's table, in the
  // frame they were; the host keeps them.
  std::optional<ArcadeEntry> entry;
};

// A stage after the first: its tables, its sheet and its music (a wave file's
// bytes; empty: the music plays on as it was).
struct StagePack {
  std::shared_ptr<const GameData> data;
  std::shared_ptr<const SpriteSheet> sheet;
  std::vector<uint8_t> music;
};

// What start-up read: shared by every core made from it (a scratch copy, a
// snapshot's game), never changed by play.
struct CoreSetup {
  std::shared_ptr<const GameData> data;
  std::shared_ptr<const SpriteSheet> sheet;
  HighScoreTable scores;  // what the title screen shows
  std::optional<JoyCaps> joystick;  // the limits of the stick opened at start-up; none: no stick
  // A run with stakes: its rules, what its difficulty changes, and the
  // difficulty's best runs as the player's file holds them.
  GameRules rules;
  DifficultyTuning tuning;
  ArcadeTable best;
  std::vector<StagePack> laterStages;  // stage 2 on; the standard rules play stage 1 alone
};

class Core {
 public:
  // The game as start-up leaves it: the title screen on a black page.
  explicit Core(CoreSetup setup);

  // One frame of the screen the play state names. With `seen` false nobody
  // looks at this frame's page, and drawing that the next frame covers is
  // left out; the play state is the same either way.
  FrameOutput Step(const FrameInput& input, bool seen = true);

  const PlayState& State() const { return m_state; }
  void Restore(const PlayState& state) { m_state = state; }
  // For hosts that set up a position to play from (tests, practice):
  // changing it is restoring a changed copy, without the copy.
  PlayState& State() { return m_state; }

  // While the window is away only play stops; then this is what it shows:
  // the last page dimmed, with PAUSE over it. The play state is untouched.
  bool PausesWhenAway() const { return m_state.m_state.m_bPlaying != 0; }
  std::span<const uint8_t> PausedPage();
  // The last page with `draw` over it, on a copy: the play state is untouched.
  std::span<const uint8_t> OverlaidPage(const std::function<void(CDisplay&)>& draw);

  const Palette& GetPalette() const { return Sheet().palette; }
  // What start-up read, for a new core on the same sheet and stick.
  const CoreSetup& Setup() const { return m_setup; }
  // The current stage's tables and sheet.
  const GameData& Data() const;
  const SpriteSheet& Sheet() const;
  int32_t Stages() const { return 1 + static_cast<int32_t>(m_setup.laterStages.size()); }
  // Stage 2 on: the music its pack holds (empty: none); stage 1's is the host's own.
  std::span<const uint8_t> PackMusic(int32_t stage) const;

 private:
  const JoyCaps* Thresholds() const { return m_thresholds ? &*m_thresholds : nullptr; }
  void OnLButtonDown(FrameSounds& sounds);
  // What a run with stakes does as play starts from the title or the stage clear.
  void AfterStart(Screen from, CDisplay& display, FrameSounds& sounds);
  int32_t Stage() const;

  CoreSetup m_setup;
  std::optional<JoyCaps> m_thresholds;
  PlayState m_state;
  Surface m_overlaidPage;
};

// The tables of `dataDir` and the scores of `scorePath` into `setup`, and for
// a run with stakes (setup.rules) its difficulty's tuning; false with the
// reason ("FILE:LINE: ...") when the data cannot be played.
// For a run with stakes also the stage packs, see StagePackName.
bool LoadCoreData(const std::string& dataDir, const std::string& scorePath, CoreSetup& setup, std::string& error);
// The packs of stage 2 on found beside stage 1's files in `dataDir`; false
// with the reason ("FILE:LINE: ...") for one that cannot be played.
bool LoadStagePacks(const std::string& dataDir, std::vector<StagePack>& packs, std::string& error);
// Stage 1 and the packs beside it.
int32_t CountStages(const std::string& dataDir);
