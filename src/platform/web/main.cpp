// The game in a browser page (web/index.html): the same start-up, loop and
// shutdown as on the desktop, with the score file kept in the page's storage.
#include <optional>

#include "app/game_app.hpp"
#include "app/scripted_platform.hpp"
#include "platform/web/browser.hpp"
#include "platform/web/score_storage.hpp"
#include "platform/web/test_driver.hpp"
#include "platform/web/web_platform.hpp"

int main() {
  namespace web = platform::web;
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

  web::TestDriver driver;
  web::WebPlatform platform(driver, testPage);
  // A test page's game takes its input from the scripts the test sends.
  ScriptedPlatform scripted(platform);
  CGameApp game(testPage ? static_cast<platform::Platform&>(scripted) : platform, options, BuiltinResources());
  driver.Attach(game, scripted, platform);
  web::browser::AttachTestHook(&driver);
  std::optional<web::ScoreKeeper> keeper;
  if (!testPage) keeper.emplace(game, scorePath);

  const int status = game.Run();
  if (keeper) keeper->Save();
  keeper.reset();
  web::browser::ShowClosed();
  return status;
}
