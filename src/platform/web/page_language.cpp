#include "platform/web/page_language.hpp"

#include <cctype>
#include <string_view>

#include "app/language.hpp"
#include "data/printable.hpp"

namespace platform::web {
namespace {

// "en-GB" and "EN" speak "en"; empty when that is no catalogue of ours.
std::string Shipped(std::string_view tag) {
  std::string language(tag.substr(0, tag.find_first_of("-_")));
  for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string_view known : kLanguages) {
    if (language == known) return language;
  }
  return "";
}

}  // namespace

std::string ChoosePageLanguage(const PageLanguageFacts& facts, std::string& warning) {
  warning.clear();
  if (facts.address) {
    if (std::string shipped = Shipped(*facts.address); !shipped.empty()) return shipped;
    warning = "?lang=" + Printable(*facts.address) + " names no language the page has (en or ja)";
  }
  if (std::string kept = Shipped(facts.kept); !kept.empty() && kept == facts.kept) return kept;
  for (const std::string& tag : facts.browser) {
    if (std::string shipped = Shipped(tag); !shipped.empty()) return shipped;
  }
  return "";
}

}  // namespace platform::web
