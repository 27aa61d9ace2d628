// The game's way of sending a run, without a window: an input script played
// through the game with a board set, the question at its game over answered,
// and what the player chose to send handed to the desktop's sender, which
// also sends what its outbox kept from before. The board tests run it
// against a real kestrova-board.
//   kestrova-send-run BOARD DATA SCRATCH OUTBOX yes|no SCRIPT
#include <cstdio>
#include <string>

#include "app/game_app.hpp"
#include "app/replay.hpp"
#include "input/keyboard.hpp"
#include "platform/sdl/board_sender.hpp"
#include "test_support.hpp"

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fputs("usage: kestrova-send-run BOARD DATA SCRATCH OUTBOX yes|no SCRIPT\n", stderr);
    return 2;
  }
  const std::string answer = argv[5];
  Replay script;
  std::string error;
  if (!LoadReplay(argv[6], script, error)) {
    std::fprintf(stderr, "kestrova-send-run: %s\n", error.c_str());
    return 2;
  }
  testing_support::FakePlatform window;
  AppOptions options;
  WatchReplayWith(script, options);  // the script's start choices and rules...
  options.replay = false;  // ...played as the player's own run, its table kept in the scratch folder
  options.saveScores = true;
  options.dataDir = argv[2];
  options.scorePath = std::string(argv[3]) + "/score.dat";
  options.boardAddress = argv[1];
  CGameApp app(window, options, BuiltinResources());
  if (!app.InitInstance()) return 1;
  for (int64_t call = 1; call <= script.script.Length(); ++call) app.OnIdle(script.script.InputAt(call));
  app.OnIdle(FrameInput{});
  app.OnIdle(testing_support::Held({answer == "yes" ? VK_SPACE : VK_SHIFT}));
  platform::sdl::BoardSender sender(argv[1], platform::sdl::Outbox(argv[4]));
  for (std::string& run : window.sentRuns) sender.Send(std::move(run));
  sender.Drain();
  return 0;
}
