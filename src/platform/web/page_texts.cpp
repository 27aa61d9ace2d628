#include "platform/web/page_texts.hpp"

#include <emscripten/emscripten.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/web/browser.hpp"
#include "platform/web/page_language.hpp"

namespace platform::web {
namespace {

// Where the build embedded po/LANG.po.
std::string CataloguePath(const std::string& language) { return "/locale/" + language + ".po"; }

}  // namespace

PageTexts::PageTexts() {
  std::string warning;
  std::string language = ChoosePageLanguage(browser::LanguageFacts(), warning);
  if (!warning.empty()) std::fprintf(stderr, "kestrova: warning: %s\n", warning.c_str());
  if (!language.empty()) {
    const std::string path = CataloguePath(language);
    std::ifstream in(path, std::ios::binary);
    std::string error = path + ": not in the build";
    if (in.is_open()) {
      const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      m_catalogue = Catalogue::Parse(text, path, error);
    }
    if (!m_catalogue) {
      std::fprintf(stderr, "kestrova: warning: %s; the texts stay as they are\n", error.c_str());
      language.clear();
    }
  }
  browser::AttachTexts(&Texts(), language);
}

PageTexts::~PageTexts() { browser::AttachTexts(nullptr, ""); }

}  // namespace platform::web

// The page's call for each of its texts and the form's captions, with the
// translator it was given.
extern "C" EMSCRIPTEN_KEEPALIVE const char* kestrova_translate(const Translator* texts, const char* text) {
  return texts->Translate(text);
}
