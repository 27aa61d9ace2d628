#include "data/arcade_table.hpp"

#include <algorithm>
#include <cstdio>

#include "data/score_file.hpp"

namespace {

bool IsInitial(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

std::optional<size_t> ArcadeTable::PlaceOf(int32_t score) const {
  if (score <= 0) return std::nullopt;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (score > entries[i].score) return i;
  }
  return std::nullopt;
}

void ArcadeTable::Enter(const ArcadeEntry& entry) {
  const std::optional<size_t> place = PlaceOf(entry.score);
  if (!place) return;
  std::copy_backward(entries.begin() + static_cast<std::ptrdiff_t>(*place), entries.end() - 1, entries.end());
  entries[*place] = entry;
}

std::string ArcadeTable::Text() const {
  std::string text;
  for (const ArcadeEntry& e : entries) {
    if (e.score > 0) text += std::to_string(e.score) + " " + std::string(e.initials.begin(), e.initials.end()) + "\n";
  }
  return text;
}

bool ArcadeTable::Parse(std::string_view text, const std::string& file, std::string& error) {
  *this = ArcadeTable{};
  for (int line = 1; !text.empty(); ++line) {
    const size_t end = text.find('\n');
    std::string_view row = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    if (row.empty()) continue;
    const size_t space = row.find(' ');
    const std::string_view digits = row.substr(0, space), initials = space == row.npos ? "" : row.substr(space + 1);
    int64_t score = 0;
    bool ok = !digits.empty() && digits.size() <= 10 && initials.size() == kInitials &&
              std::all_of(initials.begin(), initials.end(), IsInitial);
    // Stops at the first non-digit: past it the number would only overflow.
    for (size_t i = 0; ok && i < digits.size(); ++i) {
      ok = digits[i] >= '0' && digits[i] <= '9';
      score = score * 10 + (digits[i] - '0');
    }
    if (!ok || score <= 0 || score > INT32_MAX) {
      error = file + ":" + std::to_string(line) + ": expected 'SCORE INITIALS' (a score from 1, three letters A to Z)";
      return false;
    }
    ArcadeEntry entry{static_cast<int32_t>(score), {}};
    std::copy(initials.begin(), initials.end(), entry.initials.begin());
    Enter(entry);
  }
  return true;
}

bool SaveArcadeEntry(const std::string& path, const ArcadeEntry& entry) {
  std::string error;
  const bool saved = SaveMerged(
      path,
      [&](const std::string& stored) {
        ArcadeTable table;
        std::string problem;
        if (!table.Parse(stored, path, problem)) std::fprintf(stderr, "kestrova: warning: %s\n", problem.c_str());
        table.Enter(entry);
        return table.Text();
      },
      error);
  if (!saved) std::fprintf(stderr, "kestrova: cannot save scores to %s\n", error.c_str());
  return saved;
}
