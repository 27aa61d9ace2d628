// Texts as the player reads them: each host hands the core its own, the
// desktop's from the catalogues, the others the texts as they stand.
#pragma once

class Translator {
 public:
  virtual ~Translator() = default;
  virtual const char* Translate(const char* text) const = 0;
};

class SourceTexts final : public Translator {
 public:
  const char* Translate(const char* text) const override { return text; }
};
inline const SourceTexts kSourceTexts;
