// Comma-separated table files: a byte-level splitter with `#` comments and no
// quoting, cells stored column by column.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What went wrong with a data file, where.
struct DataError {
  std::string file;
  int32_t line = 0;  // physical line from 1; 0 = the whole file
  std::string what;
  // "FILE:LINE: WHAT" (or "FILE: WHAT")
  std::string Message() const;
};

class CsvTable {
 public:
  explicit CsvTable(int32_t columns) : m_columnCount(columns) {}

  // Row capacity; every cell empty. False when memory cannot be had.
  bool Allocate(int32_t rows);
  // Reads baseName + ".csv" and appends its bytes to the cells. False (with
  // the reason) when the file cannot be read or a row lies past the capacity.
  bool Load(const std::string& baseName, DataError* error);
  // The same splitter over bytes in memory; `file` names them in errors.
  bool LoadBytes(std::string_view bytes, const std::string& file, DataError* error);

  // An empty cell for any column or row outside the table.
  const std::string& GetCell(int32_t column, int32_t row) const;
  // Lowest row whose column 0 equals the key byte for byte; Capacity() when none.
  int32_t FindRow(std::string_view key) const;
  // Physical line (from 1) where the row began in the file last loaded; 0 if none.
  int32_t LineOfRow(int32_t row) const;
  int32_t Capacity() const { return m_capacity; }
  int32_t ColumnCount() const { return m_columnCount; }
  const std::string& FileName() const { return m_fileName; }

 private:
  int32_t m_columnCount;
  int32_t m_capacity = 0;
  std::vector<std::vector<std::string>> m_columns;  // column-major
  std::vector<int32_t> m_rowLine;
  std::string m_fileName;
};
