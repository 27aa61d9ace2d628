#include "platform/web/score_storage.hpp"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

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

}  // namespace platform::web
