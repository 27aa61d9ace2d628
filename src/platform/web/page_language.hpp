// The language a page is read in, the way a player expects of a web page:
// the address says so first, then what the game's menu kept, then what the
// browser is set to.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::web {

struct PageLanguageFacts {
  std::optional<std::string> address;  // ?lang=, when the address has it
  std::string kept;                    // the menu's LANGUAGE choice: "en", "ja", or "" for the browser's
  std::vector<std::string> browser;    // navigator.languages, the one most wanted first
};

// One of kLanguages, or "" for the texts as they stand. An address that names
// no catalogue of ours is passed over, with why in `warning`.
std::string ChoosePageLanguage(const PageLanguageFacts& facts, std::string& warning);

}  // namespace platform::web
