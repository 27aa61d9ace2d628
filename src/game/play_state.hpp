// Everything that carries from one frame to the next, in one value: a copy is
// a snapshot, two values are two games. What start-up reads (the game data,
// the sprite sheet, the stick's thresholds) is not part of it.
#pragma once

#include <array>
#include <cstdint>

#include "game/object.hpp"
#include "game/player.hpp"
#include "game/random.hpp"
#include "game/run_state.hpp"
#include "gfx/display.hpp"
#include "input/joystick.hpp"

// The exit query's selection: the box's x over N or over Y.
inline constexpr int32_t EXIT_CURSOR_NO = 192;
inline constexpr int32_t EXIT_CURSOR_YES = 320;

// Which screen the idle loop runs; at most one flag is set.
struct GameState {
  int32_t m_bTitle = 1;
  int32_t m_bPlaying = 0;
  int32_t m_bStageClear = 0;
  int32_t m_bExitQuery = 0;
  uint8_t m_nScrollSpeed = 1;

  void SetTitle(int32_t v) { Set(v, 0, 0, 0); }
  void SetPlaying(int32_t v) { Set(0, v, 0, 0); }
  void SetStageClear(int32_t v) { Set(0, 0, v, 0); }
  void SetExitQuery(int32_t v) { Set(0, 0, 0, v); }

 private:
  void Set(int32_t title, int32_t playing, int32_t clear, int32_t exitQuery) {
    m_bTitle = title;
    m_bPlaying = playing;
    m_bStageClear = clear;
    m_bExitQuery = exitQuery;
  }
};

struct PlayState {
  GameState m_state;
  Player g_player;
  int32_t g_nFireTimer = 0;
  int32_t g_nStageWait = 0;   // frames left before the next script row
  int32_t g_nStageRow = 0;    // next stageTable row to take
  int32_t g_nScrollLine = 0;  // background ring position p, 0..479
  int32_t g_nTileLine = 0;    // next line of the staged map row, 0..31
  int32_t g_nMapRow = 0;      // next map row to stage, 0..499
  int32_t g_nExitCursorX = EXIT_CURSOR_NO;
  RandomState g_random;
  CJoystick g_joystick;
  ObjectList mainList;
  ObjectList childList;
  // Drawn into, never cleared by play: the page's side bands keep whatever
  // was last drawn there, and the background ring scrolls on from the lines
  // staged into it.
  Surface back = Surface::Blank(PAGE_WIDTH, PAGE_HEIGHT);
  Surface scroll = Surface::Blank(SCROLL_WIDTH, SCROLL_HEIGHT);
  RunState run;
};

class StateVisitor {
 public:
  virtual void Int(const char* name, int64_t value) = 0;
  virtual void Float(const char* name, float value) = 0;
  virtual void BeginGroup(const char* name) = 0;  // a named record
  virtual void EndGroup() = 0;
  virtual void BeginList(const char* name) = 0;  // records in list order
  virtual void EndList() = 0;
  virtual void Page(const char* name, const Surface& page) = 0;
  virtual void Text(const char* name, const char* value) = 0;

 protected:
  ~StateVisitor() = default;
};

// Every value that carries play from one frame to the next, in a fixed order:
// the state hash, the trace and the tests' comparisons all go through it.
void VisitPlayState(StateVisitor& visitor, const PlayState& state);

// The screen the next frame runs: the game over of a run with stakes, else
// the first flag set of playing, title, stage clear and exit query; none set
// runs play.
enum class Screen : uint8_t { Title, Play, Clear, Exit, GameOver };
Screen CurrentScreen(const PlayState& state);
// By Screen: the names frame lines and a replay's end line give them.
inline constexpr std::array<const char*, 5> kScreenNames = {"title", "play", "clear", "exit", "gameover"};
const char* ScreenName(const PlayState& state);
