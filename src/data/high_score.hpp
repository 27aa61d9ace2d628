// The ten best scores, kept in a lightly scrambled text file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct HighScoreEntry {
  int32_t score = 0;  // compared as unsigned
  int16_t extra[3] = {1, 2, 3};
};

class HighScoreTable {
 public:
  static constexpr int32_t kMask = 0x5E;

  // Reads entries 0 to 8. False when the file cannot be opened (the table is
  // unchanged). A short or garbled file keeps what was read and says so.
  bool Load(const std::string& path);
  // Load's reading of the file's text: the number of whole entries read (9
  // when complete); the entries after them keep their values.
  int32_t LoadText(std::string_view text);
  // Enters the run's score, sorts entries 0 to 8 and replaces the file
  // atomically; on any failure the old file stays as it was.
  bool Save(const std::string& path, int16_t currentScore);

  std::array<HighScoreEntry, 10> entries{};
};
