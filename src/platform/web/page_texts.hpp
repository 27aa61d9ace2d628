// The texts of the page and the game in the language the page is read in:
// its catalogue is the build's copy of po/LANG.po. Where the page speaks no
// language of ours, or the catalogue cannot be read (the console says why),
// the texts stand as they are.
#pragma once

#include <optional>
#include <string>

#include "app/language.hpp"
#include "platform/web/catalogue.hpp"

namespace platform::web {

class PageTexts {
 public:
  // Chooses the language and hands the page its texts, until destroyed.
  PageTexts();
  ~PageTexts();
  PageTexts(const PageTexts&) = delete;
  PageTexts& operator=(const PageTexts&) = delete;

  const Translator& Texts() const { return m_catalogue ? static_cast<const Translator&>(*m_catalogue) : kSourceTexts; }

 private:
  std::optional<Catalogue> m_catalogue;
};

}  // namespace platform::web
