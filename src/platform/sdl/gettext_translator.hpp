// The game's catalogues through gettext, in the language chosen at start.
#pragma once

#include <string>

#include "app/language.hpp"

namespace platform::sdl {

class GettextTranslator final : public Translator {
 public:
  // `language` one of kLanguages, or empty for the texts as they stand;
  // `folder` holds LANG/LC_MESSAGES/kestrova.mo.
  GettextTranslator(const std::string& language, const std::string& folder);

  const char* Translate(const char* text) const override;

 private:
  bool m_active;
};

}  // namespace platform::sdl
