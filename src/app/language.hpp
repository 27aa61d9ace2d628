// The language the player reads the game's texts in: --lang, else the
// locale's variables as gettext reads them. The game's own texts, as they
// stand, are the source strings; a catalogue per language translates them.
#pragma once

#include <string>
#include <string_view>

#include "ui/translator.hpp"

// The catalogues the game ships (po/LANG.po).
inline constexpr std::string_view kLanguages[] = {"en", "ja"};
// In settings.ini: the locale chooses.
inline constexpr std::string_view kDesktopLanguage = "desktop";
inline constexpr const char* kTextDomain = "kestrova";

struct LanguageFacts {
  std::string option;  // --lang, or empty
  std::string language;  // the environment's LANGUAGE, LC_ALL, LC_MESSAGES and LANG
  std::string lcAll;
  std::string lcMessages;
  std::string lang;
};

LanguageFacts GatherLanguageFacts(std::string option);
// One of kLanguages, or empty for the texts as they stand.
std::string ChooseLanguage(const LanguageFacts& facts);

// Where the catalogues are, LANG/LC_MESSAGES/kestrova.mo under it: the
// build tree's beside the program, else the installed ones; empty for none.
std::string FindLocaleFolder();
