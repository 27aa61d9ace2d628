// The screens that are not play: the title, the stage clear and the exit
// query. Each draws its frame onto the back page and reads the frame's keys
// (and the joystick the caller polled), and starts its sounds; presenting the
// page is the caller's.
#pragma once

#include <optional>

#include "audio/effects.hpp"
#include "data/arcade_table.hpp"
#include "data/high_score.hpp"
#include "game/play_state.hpp"
#include "gfx/display.hpp"
#include "input/keyboard.hpp"

void DrawTitleScreen(PlayState& play, CDisplay& display, const HighScoreTable& scores, const KeyboardState& keys,
                     FrameSounds& sounds);
void DrawStageClearScreen(PlayState& play, CDisplay& display, const KeyboardState& keys, FrameSounds& sounds);
// The page dimmed, what it shows still there: for what is drawn over it.
void DimPage(Surface& page);
// The back page dimmed, with PAUSE over it.
void DrawPausedPage(CDisplay& display);
// True once Y is confirmed: the window is to close.
bool DrawExitQueryScreen(PlayState& play, CDisplay& display, const KeyboardState& keys, FrameSounds& sounds);
// A run with stakes over: GAME OVER and its score, then, when the score makes
// the difficulty's table (practice enters none), its initials chosen letter by
// letter, then the title. The entry, in the frame it is made.
std::optional<ArcadeEntry> DrawGameOverScreen(PlayState& play, CDisplay& display, const KeyboardState& keys,
                                              FrameSounds& sounds);
// With an online board set, drawn by the host over the game over's last page
// once it has ended: whether to send the run. The play state knows nothing
// of it, so that a run plays the same with a board or without.
void DrawSendQuestion(CDisplay& display);
