// The game in a browser page (web/index.html): the same start-up and
// shutdown as on the desktop, the loop on the page's animation frames, and
// the score file kept in the page's storage.
#include <optional>

#include "app/game_app.hpp"
#include "platform/web/browser.hpp"
#include "platform/web/frame_clock.hpp"
#include "platform/web/score_storage.hpp"
#include "platform/web/test_driver.hpp"
#include "platform/web/web_platform.hpp"

namespace {

namespace web = platform::web;

// One frame of the player's input, after the clicks since the last; false
// once the window is to close.
bool PlayFrame(CGameApp& game, web::WebPlatform& platform) {
  FrameInput input;
  for (const web::Click click : platform.TakeClicks()) {
    if (click == web::Click::Right) return false;
    input.click = true;
  }
  platform.ReadKeys(input.keys);
  input.stick = platform.PollJoystick();
  return game.OnIdle(input) != 0;
}

// Frames as the clock makes them due, or as a test asks for them, until the
// game closes.
void RunLoop(CGameApp& game, web::WebPlatform& platform, web::TestDriver& driver, bool testPage) {
  platform.TakeClicks();  // clicks made while start-up ran were not meant for the game
  web::FrameClock clock;
  for (bool open = true; open;) {
    const double now = web::browser::NextAnimationFrame();
    if (driver.Pending()) {
      open = driver.RunPending();
    } else if (!testPage) {
      for (int64_t due = clock.StepsAt(now); due > 0 && open; --due) open = PlayFrame(game, platform);
    }
  }
}

}  // namespace

int main() {
  const bool testPage = web::browser::IsTestPage();
  AppOptions options;  // the data files where the build embedded them: "data/..."
  options.saveScores = false;  // the page's score keeper saves, not the exit alone
  if (testPage) {
    // As kestrova-sim starts: no form, a window, the keyboard, no saving.
    options.fullScreen = 0;
    options.keyboard = 1;
  }
  const std::string scorePath = options.dataDir + "/score.dat";
  web::RestoreScoreFile(scorePath);

  web::WebPlatform platform(testPage);
  CGameApp game(platform, options, BuiltinResources());
  int status = 1;
  if (game.InitInstance()) {
    // A test page's game takes its input from the scripts the test sends.
    web::TestDriver driver(game);
    web::browser::AttachTestHook(&driver);
    std::optional<web::ScoreKeeper> keeper;
    if (!testPage) keeper.emplace(game, scorePath);
    RunLoop(game, platform, driver, testPage);
    if (keeper) keeper->Save();
    status = 0;
  }
  game.ExitInstance();
  web::browser::ShowClosed();
  return status;
}
