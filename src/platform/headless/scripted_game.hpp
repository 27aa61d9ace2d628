// A whole game on the headless platform, its input from a script: what
// kestrova-sim plays and what the tests drive, one idle call at a time through
// the scripted platform (as the browser's test hook drives a page).
#pragma once

#include <string>

#include "app/game_app.hpp"
#include "app/scripted_platform.hpp"
#include "platform/headless/headless_platform.hpp"

namespace platform {

class ScriptedGame {
 public:
  // The game on `headless`, started with `options`; the script may grow as
  // the game runs.
  ScriptedGame(HeadlessPlatform& headless, AppOptions options, InputScript script = {})
      : input(headless, std::move(script)), game(input, std::move(options), BuiltinResources()) {}

  // Start-up; false when it failed.
  bool Start() { return game.InitInstance() != 0; }
  // The next idle call; false (and nothing run) once the window has closed.
  bool Step() {
    if (input.ClosePosted()) return false;
    input.StepGame(game);
    return true;
  }
  // "CALL SCREEN PAGEHASH STATEHASH\n" of the last idle call.
  std::string LastLine() const { return input.LastLine(game); }

  ScriptedPlatform input;
  CGameApp game;
};

}  // namespace platform
