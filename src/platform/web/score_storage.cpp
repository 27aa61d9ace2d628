#include "platform/web/score_storage.hpp"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

#include <emscripten/emscripten.h>

#include "app/game_app.hpp"
#include "platform/web/browser.hpp"

namespace platform::web {

void RestoreScoreFile(const std::string& path) {
  const std::optional<std::string> stored = browser::LoadItem(path);
  if (!stored) return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << *stored;
  if (!out.flush()) std::fprintf(stderr, "kestrova: cannot write %s from the page's storage\n", path.c_str());
}

void KeepScoreFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!browser::StoreItem(path, text)) std::fprintf(stderr, "kestrova: the page cannot keep %s\n", path.c_str());
}

ScoreKeeper::ScoreKeeper(CGameApp& game, std::string path) : m_game(game), m_path(std::move(path)) {
  browser::AttachScoreKeeper(this);
}

ScoreKeeper::~ScoreKeeper() { browser::AttachScoreKeeper(nullptr); }

void ScoreKeeper::Save() {
  RestoreScoreFile(m_path);
  if (m_game.SaveScore()) KeepScoreFile(m_path);
}

}  // namespace platform::web

// The page's call, between idle calls: the message loop is waiting for it.
extern "C" EMSCRIPTEN_KEEPALIVE void kestrova_save_scores(platform::web::ScoreKeeper* keeper) { keeper->Save(); }
