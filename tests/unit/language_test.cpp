// The language the texts are shown in, and the catalogues that show them.
#include "app/language.hpp"

#include <gtest/gtest.h>

#include "app/options.hpp"
#include "platform/sdl/gettext_translator.hpp"
#include "ui/settings_form.hpp"

namespace {

TEST(Language, TheOptionThenTheLocaleAsGettextReadsItThenItsCatalogueTranslatesTheDialogOnly) {
  struct Case {
    LanguageFacts facts;  // --lang, LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    const char* chosen;
  };
  const Case cases[] = {
      {{"", "", "", "", ""}, ""},  // no locale: the texts as they stand
      {{"en", "ja", "ja_JP.UTF-8", "", ""}, "en"},  // --lang over everything
      {{"ja", "", "", "", "en_US.UTF-8"}, "ja"},
      {{"", "", "", "", "en_GB.UTF-8"}, "en"},
      {{"", "", "", "ja_JP.eucJP", "en_US"}, "ja"},  // LC_MESSAGES over LANG
      {{"", "", "en_AU@euro", "ja_JP", ""}, "en"},  // LC_ALL over LC_MESSAGES
      {{"", "", "", "", "de_DE.UTF-8"}, ""},  // no catalogue for it
      {{"", "en", "C", "", "ja_JP"}, ""},  // LANGUAGE is ignored under C, LC_ALL's C wins
      {{"", "en", "", "", "POSIX"}, ""},
      {{"", "en", "", "", "C.UTF-8"}, "en"},  // not plain C: LANGUAGE counts
      {{"", "de:en_GB:ja", "", "", "ja_JP.UTF-8"}, "en"},  // its first entry we have
      {{"", "de:fr", "", "", "ja_JP.UTF-8"}, ""},  // past the list, not the locale
      {{"", "::ja", "", "", "en_US"}, "ja"},  // empty entries skipped
      {{"", "", "", "", "english"}, ""},  // a language part of its own, not a prefix
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseLanguage(c.facts), c.chosen) << "case " << &c - cases;
  const char* args[] = {"kestrova", "--lang=ja"};
  EXPECT_EQ(ChooseLanguage({ParseOptions(2, args).language, "", "", "", "en_US.UTF-8"}), "ja");
  // The build's catalogues, found as the game finds them beside the program.
  const std::string folder = FindLocaleFolder();
  ASSERT_FALSE(folder.empty());
  const platform::sdl::GettextTranslator english("en", folder);
  const char* const captions[] = {"Settings", "OK",  "Cancel", "Display", "Full screen", "Window",
                                  "Input",    "Keyboard", "Joystick", "Music", "On", "Off", "Source", "WAVE",
                                  "MIDI",     "Game speed"};
  size_t next = 0;
  EXPECT_STREQ(english.Translate(kSettingsForm.caption), captions[next++]);
  for (const DialogControl& c : kSettingsForm.controls) {
    if (c.kind == ControlKind::Spin || c.kind == ControlKind::Edit) {
      EXPECT_STREQ(english.Translate(c.caption), c.caption);  // nothing to read, nothing translated
    } else {
      ASSERT_LT(next, std::size(captions));
      EXPECT_STREQ(english.Translate(c.caption), captions[next++]) << c.caption;
    }
  }
  EXPECT_EQ(next, std::size(captions));
  // English already; and the catalogue's header is no text's translation.
  EXPECT_STREQ(english.Translate("ERROR Make Window"), "ERROR Make Window");
  EXPECT_STREQ(english.Translate(""), "");
  // Without a language, gettext is not asked, though it now speaks English.
  // (One language a process: the game itself reads Japanese in messages_in_japanese.)
  EXPECT_STREQ(platform::sdl::GettextTranslator("", folder).Translate("決定"), "決定");
}

}  // namespace
