// The ten best scores, kept in a lightly scrambled text file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
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
  // Enters a run's score: entry 8 takes it, then the scores of entries 0 to 8
  // are sorted, best first. With `replacing`, an entry with that score (the
  // same run's, entered before) gives way first.
  void Enter(int16_t score, std::optional<int16_t> replacing = std::nullopt);
  // The file's text: each entry's four numbers masked, one a line.
  std::string Text() const;
  // Enters the run's score into the file as it stands now, under a lock on
  // its folder, so that games ending together each keep theirs; the file is
  // replaced whole, and on any failure the old one stays as it was. The
  // table becomes what the file now holds.
  bool Save(const std::string& path, int16_t score, std::optional<int16_t> replacing = std::nullopt);

  std::array<HighScoreEntry, 10> entries{};
};
