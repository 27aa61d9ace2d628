#include "data/difficulty.hpp"

#include <limits>

namespace {

constexpr int32_t kColumns = 9;
constexpr int32_t kRows = 16;

struct Field {
  int32_t DifficultyTuning::*member;
  const char* name;
  int32_t min, max;
};
// In the file's column order after the name.
constexpr Field kFields[] = {
    {&DifficultyTuning::firePercent, "fire", 1, 10000},
    {&DifficultyTuning::bulletSpeed, "bullet speed", 0, 16},
    {&DifficultyTuning::volley, "volley", 0, 8},
    {&DifficultyTuning::toughPercent, "toughness", 1, 10000},
    {&DifficultyTuning::loopPercent, "loop", 0, 1000},
    {&DifficultyTuning::lives, "lives", 1, 99},
    {&DifficultyTuning::firstExtraLife, "first extra life", 0, std::numeric_limits<int32_t>::max()},
    {&DifficultyTuning::everyExtraLife, "every extra life", 0, std::numeric_limits<int32_t>::max()},
};

bool Fail(DataError* error, const CsvTable& table, int32_t row, const std::string& what) {
  if (error != nullptr) *error = DataError{table.FileName(), row < 0 ? 0 : table.LineOfRow(row), what};
  return false;
}

// The whole cell as a number, nothing else in it.
bool ReadNumber(const std::string& cell, int32_t& value) {
  if (cell.empty() || cell.size() > 10 || cell.find_first_not_of("0123456789") != std::string::npos) return false;
  const int64_t wide = std::stoll(cell);
  if (wide > std::numeric_limits<int32_t>::max()) return false;
  value = static_cast<int32_t>(wide);
  return true;
}

}  // namespace

bool LoadDifficulties(const std::string& dataDir, std::array<DifficultyTuning, kDifficulties>& out, DataError* error) {
  CsvTable table(kColumns);
  if (!table.Allocate(kRows) || !table.Load(dataDir + "/" + kDifficultyTable, error)) return false;
  for (size_t d = 0; d < kDifficulties; ++d) {
    const int32_t row = table.FindRow(kDifficultyNames[d]);
    if (row >= table.Capacity()) return Fail(error, table, -1, std::string("no row for '") + kDifficultyNames[d] + "'");
    for (size_t f = 0; f < std::size(kFields); ++f) {
      const Field& field = kFields[f];
      int32_t value = 0;
      if (!ReadNumber(table.GetCell(static_cast<int32_t>(f) + 1, row), value) || value < field.min || value > field.max) {
        return Fail(error, table, row,
                    std::string(field.name) + " of '" + kDifficultyNames[d] + "' must be a whole number from " +
                        std::to_string(field.min) + " to " + std::to_string(field.max));
      }
      out[d].*field.member = value;
    }
  }
  return true;
}
