// A language's catalogue as the page reads it: po/LANG.po itself, the file
// the desktop's msgfmt compiles, embedded into the build, so the browser's
// texts can never drift from the desktop's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/language.hpp"

namespace platform::web {

class Catalogue final : public Translator {
 public:
  // The translations in `text` as msgfmt takes them: msgid and msgstr, each
  // one or more quoted lines with C's escapes; comments, the header, fuzzy
  // and untranslated entries left out. None, with "PATH:LINE: why" in
  // `error`, for anything else (plural forms and contexts among it: the game
  // asks for neither).
  static std::optional<Catalogue> Parse(std::string_view text, const std::string& path, std::string& error);

  // The translation, or `text` itself; it lasts as long as the catalogue.
  const char* Translate(const char* text) const override;
  size_t Size() const { return m_texts.size(); }

 private:
  std::unordered_map<std::string, std::string> m_texts;
};

}  // namespace platform::web
