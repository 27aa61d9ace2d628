#include "data/high_score.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>
#include <utility>

namespace {

constexpr int32_t kEntriesRead = 9;
constexpr int kValuesPerEntry = 4;

// The next "%d" number: white space, optional sign, digits. False at the end
// of the text or at anything else (the scan stops there, as fscanf does).
bool NextNumber(std::string_view text, size_t& pos, int32_t& value) {
  while (pos < text.size() && std::strchr(" \t\n\v\f\r", text[pos]) != nullptr && text[pos] != '\0') ++pos;
  size_t at = pos;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  int64_t magnitude = 0;
  const size_t digits = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) return false;
    ++at;
  }
  if (at == digits) return false;
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT32_MAX) return false;
  value = static_cast<int32_t>(signedValue);
  pos = at;
  return true;
}

// A negative run score is a 16-bit score that wrapped once: enter it as its
// unsigned 16-bit value rather than as a huge unsigned 32-bit one.
int32_t RunScore(int16_t score) { return static_cast<uint16_t>(score); }

}  // namespace

bool HighScoreTable::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const int32_t entriesRead = LoadText(text);
  if (entriesRead < kEntriesRead) {
    std::fprintf(stderr, "kestrova: warning: %s holds only %d of %d score entries; the rest start empty\n",
                 path.c_str(), entriesRead, kEntriesRead);
  }
  return true;
}

int32_t HighScoreTable::LoadText(std::string_view text) {
  size_t pos = 0;
  int32_t entriesRead = 0;
  for (; entriesRead < kEntriesRead; ++entriesRead) {
    int32_t values[kValuesPerEntry];
    bool complete = true;
    for (int32_t& v : values) complete = complete && NextNumber(text, pos, v);
    if (!complete) break;
    HighScoreEntry& entry = entries[static_cast<size_t>(entriesRead)];
    entry.score = values[0] ^ kMask;
    for (int i = 0; i < 3; ++i) {
      entry.extra[i] = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(values[i + 1] ^ kMask)));
    }
  }
  return entriesRead;
}

void HighScoreTable::Enter(int16_t score, std::optional<int16_t> replacing) {
  if (replacing) {
    // The same run's earlier entry gives way; one pushed out meanwhile is not there to.
    const auto end = entries.begin() + kEntriesRead;
    const int32_t earlierScore = RunScore(*replacing);
    auto at = std::find_if(entries.begin(), end, [&](const HighScoreEntry& e) { return e.score == earlierScore; });
    for (; at != end && at + 1 != end; ++at) at->score = (at + 1)->score;
  }
  // Scores move, the further values stay in their places.
  entries[8].score = RunScore(score);
  for (int pass = 0; pass < 8; ++pass) {
    for (int k = 8; k > pass; --k) {
      auto& a = entries[static_cast<size_t>(k - 1)].score;
      auto& b = entries[static_cast<size_t>(k)].score;
      if (static_cast<uint32_t>(b) > static_cast<uint32_t>(a)) std::swap(a, b);
    }
  }
}

std::string HighScoreTable::Text() const {
  std::string text;
  char line[16];
  for (const HighScoreEntry& e : entries) {
    std::snprintf(line, sizeof line, "%d\n", e.score ^ kMask);
    text += line;
    for (int16_t v : e.extra) {
      std::snprintf(line, sizeof line, "%d\n", int32_t{v} ^ kMask);
      text += line;
    }
  }
  return text;
}
