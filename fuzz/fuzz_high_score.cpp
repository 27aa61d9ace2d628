// The score-file reader over any text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/high_score.hpp"
#include "fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  HighScoreTable table;
  const int32_t read = table.LoadText(text);
  FUZZ_CHECK(read >= 0 && read <= 9);
  const HighScoreTable fresh;
  // Entries past the last whole one keep their values; entry 9 is never read.
  for (size_t i = static_cast<size_t>(read); i < table.entries.size(); ++i) {
    const HighScoreEntry& e = table.entries[i];
    const HighScoreEntry& f = fresh.entries[i];
    FUZZ_CHECK(e.score == f.score && e.extra[0] == f.extra[0] && e.extra[1] == f.extra[1] && e.extra[2] == f.extra[2]);
  }
  // Nine numbers or more per four are needed for every entry.
  if (read == 9) FUZZ_CHECK(size >= 36);
  return 0;
}
