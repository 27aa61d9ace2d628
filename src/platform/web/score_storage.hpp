// The score file lives in the browser's localStorage, under its own path as
// the key and in its own text, always as a whole. The game reads and saves
// the file in the virtual file system as on the desktop: the stored table is
// copied in before start-up and around every save, so that a save merges
// with what other tabs stored meanwhile.
#pragma once

#include <string>

class CGameApp;

namespace platform::web {

// The stored table into `path`; nothing stored leaves the file as it is.
void RestoreScoreFile(const std::string& path);
// The whole file at `path` into storage; a missing file changes nothing.
void KeepScoreFile(const std::string& path);

// Saves the run's score when the page is hidden or closed, and when the game
// ends: a tab closed mid-play keeps its run, and every later save replaces
// the run's earlier entry, so the run is in the table once.
class ScoreKeeper {
 public:
  ScoreKeeper(CGameApp& game, std::string path);
  ~ScoreKeeper();
  ScoreKeeper(const ScoreKeeper&) = delete;
  ScoreKeeper& operator=(const ScoreKeeper&) = delete;

  void Save();

 private:
  CGameApp& m_game;
  std::string m_path;
};

}  // namespace platform::web
