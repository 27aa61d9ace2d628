#include "app/language.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/environment.hpp"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLocaleFromProgram = KESTROVA_LOCALE_FROM_PROGRAM;  // the install's layout, relative

// "en_GB.UTF-8@euro" speaks "en"; empty when that is no catalogue of ours.
std::string Shipped(std::string_view locale) {
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  for (const std::string_view known : kLanguages) {
    if (language == known) return std::string(known);
  }
  return "";
}

}  // namespace

LanguageFacts GatherLanguageFacts(std::string option) {
  return LanguageFacts{std::move(option), Environment("LANGUAGE"), Environment("LC_ALL"), Environment("LC_MESSAGES"),
                       Environment("LANG")};
}

std::string ChooseLanguage(const LanguageFacts& facts) {
  if (!facts.option.empty()) return Shipped(facts.option);
  const std::string& locale =
      !facts.lcAll.empty() ? facts.lcAll : !facts.lcMessages.empty() ? facts.lcMessages : facts.lang;
  // As gettext: LANGUAGE counts only outside the C locale. Unlike gettext,
  // a locale the machine has not generated still speaks its language.
  if (locale.empty() || locale == "C" || locale == "POSIX") return "";
  if (facts.language.empty()) return Shipped(locale);
  // Its first entry we have a catalogue for; past the list, the source texts.
  for (size_t start = 0; start <= facts.language.size();) {
    const size_t end = std::min(facts.language.find(':', start), facts.language.size());
    if (std::string shipped = Shipped(std::string_view(facts.language).substr(start, end - start)); !shipped.empty()) {
      return shipped;
    }
    start = end + 1;
  }
  return "";
}

std::string FindLocaleFolder() {
  const fs::path folder = ProgramFolder();
  if (folder.empty()) return "";
  std::error_code error;
  for (const fs::path& candidate : {folder / "locale", (folder / kLocaleFromProgram).lexically_normal()}) {
    if (fs::is_regular_file(candidate / "en/LC_MESSAGES" / (std::string(kTextDomain) + ".mo"), error)) {
      return candidate.string();
    }
  }
  return "";
}
