#include "data/tile_map.hpp"

#include <cstdint>
#include <string_view>
#include <utility>

#include "data/file_reader.hpp"
#include "data/printable.hpp"

namespace {

constexpr int32_t kMaxDigits = 3;  // a number is at most three characters, sign included
constexpr int32_t kTileNumbers = MAP_ROWS * MAP_COLUMNS * 2;

bool IsSpace(int32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(int32_t c) { return c >= '0' && c <= '9'; }

// Bytes in memory, read the way FileReader reads a file.
class MemoryReader {
 public:
  explicit MemoryReader(std::string_view bytes) : m_bytes(bytes) {}
  int32_t Peek() const { return m_pos < m_bytes.size() ? static_cast<unsigned char>(m_bytes[m_pos]) : -1; }
  int32_t Get() {
    const int32_t byte = Peek();
    if (byte >= 0) ++m_pos;
    return byte;
  }
  bool Failed() const { return false; }

 private:
  std::string_view m_bytes;
  size_t m_pos = 0;
};

// Numbers the way "%3d" followed by white space reads them, counting lines.
template <typename Reader>
class NumberReader {
 public:
  explicit NumberReader(Reader& in) : m_in(in) {}

  // False when no number starts here; `line` is then where one was expected.
  bool Read(int32_t* value) {
    SkipSpace();
    m_numberLine = m_line;
    int32_t taken = 0;
    bool negative = false;
    const int32_t first = m_in.Peek();
    if (first == '+' || first == '-') {
      negative = first == '-';
      m_in.Get();
      ++taken;
    }
    int32_t magnitude = 0;
    int32_t digits = 0;
    for (; taken < kMaxDigits && IsDigit(m_in.Peek()); ++taken, ++digits) {
      magnitude = magnitude * 10 + (m_in.Get() - '0');
    }
    if (digits == 0) return false;
    *value = negative ? -magnitude : magnitude;
    SkipSpace();
    return true;
  }

  int32_t NumberLine() const { return m_numberLine; }
  int32_t Peek() { return m_in.Peek(); }

 private:
  void SkipSpace() {
    while (IsSpace(m_in.Peek())) {
      if (m_in.Get() == '\n' && m_line < INT32_MAX) ++m_line;
    }
  }

  Reader& m_in;
  int32_t m_line = 1;
  int32_t m_numberLine = 1;
};

struct Corner {
  const char* axis;
  int32_t limit;  // largest corner that keeps the tile on the sheet
};
constexpr Corner kCorners[2] = {{"x", SHEET_WIDTH - TILE_SIZE}, {"y", SHEET_HEIGHT - TILE_SIZE}};

// The one reader of map text, whether it comes from a file or from memory.
template <typename Reader>
TileMapResult ReadTileMap(Reader& in, const std::string& path, TileMap& map, DataError* error) {
  NumberReader<Reader> numbers(in);
  auto fail = [&](std::string what) {
    if (error != nullptr) *error = DataError{path, numbers.NumberLine(), std::move(what)};
    return TileMapResult::kBad;
  };
  int32_t count = 0;
  for (auto& row : map) {
    for (RECT& tile : row) {
      int32_t corner[2] = {0, 0};
      for (int32_t axis = 0; axis < 2; ++axis) {
        if (!numbers.Read(&corner[axis])) {
          if (in.Failed()) return fail("cannot read");
          if (numbers.Peek() < 0) {
            return fail("ends after " + std::to_string(count) + " numbers; " + std::to_string(kTileNumbers) +
                        " are needed");
          }
          return fail("'" + Printable(std::string(1, static_cast<char>(numbers.Peek()))) +
                      "' where a number should be");
        }
        ++count;
        const Corner& c = kCorners[axis];
        if (corner[axis] < 0 || corner[axis] > c.limit) {
          return fail("tile " + std::string(c.axis) + " " + std::to_string(corner[axis]) +
                      " puts the tile outside the " + std::to_string(SHEET_WIDTH) + "x" + std::to_string(SHEET_HEIGHT) +
                      " sheet");
        }
      }
      tile = RECT{corner[0], corner[1], corner[0] + TILE_SIZE, corner[1] + TILE_SIZE};
    }
  }
  return TileMapResult::kLoaded;
}

}  // namespace

TileMapResult LoadTileMap(const std::string& path, TileMap& map, DataError* error) {
  map.fill({});
  FileReader in;
  if (!in.Open(path)) return TileMapResult::kMissing;
  return ReadTileMap(in, path, map, error);
}

TileMapResult LoadTileMapBytes(std::string_view bytes, const std::string& file, TileMap& map, DataError* error) {
  map.fill({});
  MemoryReader in(bytes);
  return ReadTileMap(in, file, map, error);
}
