// The best arcade runs of one difficulty, with the initials their players
// entered: five entries, best first, kept in a text file of their own, one
// "SCORE INITIALS" a line (the standard table and its file know nothing of it).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr size_t kArcadeEntries = 5;
inline constexpr size_t kInitials = 3;

struct ArcadeEntry {
  int32_t score = 0;  // 0: an empty place
  std::array<char, kInitials> initials{};  // 'A' to 'Z'
  friend bool operator==(const ArcadeEntry&, const ArcadeEntry&) = default;
};

struct ArcadeTable {
  std::array<ArcadeEntry, kArcadeEntries> entries{};

  // The place a score would take, from 0; none when it makes no place (a
  // score equal to one in the table goes below it).
  std::optional<size_t> PlaceOf(int32_t score) const;
  void Enter(const ArcadeEntry& entry);
  // Only the places taken, best first.
  std::string Text() const;
  // A table from `text`: false with "FILE:LINE: reason" for the first line
  // that is not "SCORE INITIALS", the lines before it kept.
  bool Parse(std::string_view text, const std::string& file, std::string& error);
  friend bool operator==(const ArcadeTable&, const ArcadeTable&) = default;
};

// The entry merged into the file as it stands then (a file that cannot be
// read as a table keeps what it could), saved whole; false when not saved.
bool SaveArcadeEntry(const std::string& path, const ArcadeEntry& entry);
