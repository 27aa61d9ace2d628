#include "platform/sdl/gettext_translator.hpp"

#include <libintl.h>

#include <clocale>
#include <cstdlib>

namespace platform::sdl {

GettextTranslator::GettextTranslator(const std::string& language, const std::string& folder)
    : m_active(!language.empty() && !folder.empty()) {
  if (!m_active) return;
  // The choice is made already (ChooseLanguage): LANGUAGE names it, and
  // C.UTF-8, always there, is the one locale gettext needs to heed it, so a
  // language works whether or not the machine has generated its locale.
  // Only the messages' category moves: numbers and text stay in the C locale.
  setenv("LANGUAGE", language.c_str(), 1);
  std::setlocale(LC_MESSAGES, "C.UTF-8");
  bindtextdomain(kTextDomain, folder.c_str());
  // The catalogues' UTF-8 as it is, whatever the C locale's character set.
  bind_textdomain_codeset(kTextDomain, "UTF-8");
}

const char* GettextTranslator::Translate(const char* text) const {
  return m_active && *text != '\0' ? dgettext(kTextDomain, text) : text;
}

}  // namespace platform::sdl
