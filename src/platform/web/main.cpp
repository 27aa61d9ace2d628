// The game in a browser page (web/index.html): the same start-up and
// shutdown as on the desktop, the loop on the page's animation frames, and
// the score file kept in the page's storage.
#include <optional>

#include "app/board_address.hpp"
#include "app/game_app.hpp"
#include "app/replay_viewer.hpp"
#include "platform/web/browser.hpp"
#include "platform/web/frame_clock.hpp"
#include "platform/web/page_texts.hpp"
#include "platform/web/score_storage.hpp"
#include "platform/web/test_driver.hpp"
#include "platform/web/web_platform.hpp"

namespace {

namespace web = platform::web;

// One frame of the player's input, after the clicks since the last, or one
// tick of a recording watched, steered by it; false once the window is to close.
bool PlayFrame(CGameApp& game, web::WebPlatform& platform, ReplayViewer* viewer) {
  FrameInput input;
  for (const web::Click click : platform.TakeClicks()) {
    if (click == web::Click::Right) return false;
    input.click = true;
  }
  input.stick = platform.ReadInput(input.keys);
  input.menu = web::browser::TakeMenuRequest() || platform.PadAsksForMenu();
  input.keyName = platform.TakeKeyName();
  input.buttonName = platform.TakeButtonName();
  return (viewer != nullptr ? game.OnIdleWatching(*viewer, input) : game.OnIdle(input)) != 0;
}

// Frames as the clock makes them due, or as a test asks for them, until the
// game closes.
void RunLoop(CGameApp& game, web::WebPlatform& platform, web::TestDriver& driver, bool testPage,
             ReplayViewer* viewer) {
  platform.TakeClicks();  // clicks made while start-up ran were not meant for the game
  web::FrameClock clock;
  for (bool open = true; open;) {
    const double now = web::browser::NextAnimationFrame();
    if (driver.Pending()) {
      open = driver.RunPending();
    } else if (!testPage) {
      for (int64_t due = clock.StepsAt(now); due > 0 && open; --due) open = PlayFrame(game, platform, viewer);
    }
  }
}

// The recording the page names, with the start choices it keeps; none
// (after saying why) when it names one that cannot be watched.
std::optional<Replay> WatchedReplay(AppOptions& options) {
  const std::optional<web::browser::FetchedReplay> fetched = web::browser::FetchReplay();
  if (!fetched) return std::nullopt;
  Replay replay;
  bool isReplay = false;
  std::string error = fetched->error.empty() ? "" : fetched->address + ": " + fetched->error;
  if (error.empty() && ParseReplay(fetched->text, fetched->address, replay, isReplay, error)) {
    WatchReplayWith(replay, options);  // as on the desktop
    return replay;
  }
  web::browser::Alert("The recording cannot be watched: " + error);
  return std::nullopt;
}

}  // namespace

int main() {
  const bool testPage = web::browser::IsTestPage();
  const web::PageTexts texts;  // before any message and the settings form
  AppOptions options;  // the data files where the build embedded them: "data/..."
  options.saveScores = false;  // the page's score keeper saves, not the exit alone
  if (testPage) {
    // As kestrova-sim starts: no form, a window, the keyboard, no saving.
    options.fullScreen = 0;
    options.keyboard = 1;
  }
  if (!testPage) {
    options.boardAddress = web::browser::BoardAddress();
    if (const std::string problem = BoardAddressProblem(options.boardAddress);
        !options.boardAddress.empty() && !problem.empty()) {
      web::browser::Alert("?board=" + options.boardAddress + " is no board: " + problem + "; no run is sent");
      options.boardAddress.clear();
    }
  }
  const std::optional<Replay> watched = testPage ? std::nullopt : WatchedReplay(options);
  const std::string scorePath = options.dataDir + "/score.dat";
  web::RestoreScoreFile(scorePath);

  web::WebPlatform platform(testPage, texts.Texts());
  CGameApp game(platform, options, BuiltinResources(), texts.Texts());
  int status = 1;
  if (game.InitInstance()) {
    // A test page's game takes its input from the scripts the test sends.
    web::TestDriver driver(game);
    web::browser::AttachTestHook(&driver);
    std::optional<web::ScoreKeeper> keeper;
    std::optional<ReplayViewer> viewer;
    if (watched) {
      viewer.emplace(*watched);  // steered by the player's keys and pad, which the page reads unasked
    } else if (!testPage) {
      keeper.emplace(game, scorePath);
    }
    RunLoop(game, platform, driver, testPage, viewer ? &*viewer : nullptr);
    if (keeper) keeper->Save();
    status = 0;
  }
  game.ExitInstance();
  web::browser::ShowClosed();
  return status;
}
