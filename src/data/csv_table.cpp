#include "data/csv_table.hpp"

#include <cstdint>
#include <new>
#include <utility>

#include "data/file_reader.hpp"

namespace {

// Counters stop at the largest int rather than overflow on absurd files.
void Bump(int32_t& counter) {
  if (counter < INT32_MAX) ++counter;
}

// The byte splitter. Its state survives between blocks, so a file can be fed
// in pieces and split exactly as if it came in one.
class Splitter {
 public:
  Splitter(std::vector<std::vector<std::string>>& columns, std::vector<int32_t>& rowLine, int32_t capacity)
      : m_columns(columns), m_rowLine(rowLine), m_capacity(capacity) {
    NoteRowStart();
  }

  // False at the first byte that belongs to a row past the capacity.
  bool Feed(std::string_view bytes) {
    for (const char byte : bytes) {
      if (m_inComment) {
        if (byte == '\n') {
          m_inComment = false;
          Bump(m_line);
          // A row that has nothing yet begins after the comment.
          if (!m_rowHasContent) NoteRowStart();
        }
        continue;
      }
      if (byte == '#') {
        m_inComment = true;
        continue;
      }
      if (byte == '\n') {
        Bump(m_row);
        m_column = 0;
        Bump(m_line);
        m_rowHasContent = false;
        NoteRowStart();
        continue;
      }
      if (m_row >= m_capacity) {
        // Past the last row, blank lines do not count: Windows line ends and
        // spaces make none.
        if (byte == '\r' || byte == ' ' || byte == '\t') continue;
        return false;
      }
      m_rowHasContent = true;
      if (byte == ',') {
        Bump(m_column);
      } else if (m_column < static_cast<int32_t>(m_columns.size())) {
        m_columns[static_cast<size_t>(m_column)][static_cast<size_t>(m_row)].push_back(byte);
      }
    }
    return true;
  }

  // Line where the current row began (the row that did not fit, after a failed Feed).
  int32_t RowLine() const { return m_rowStartLine; }

 private:
  void NoteRowStart() {
    m_rowStartLine = m_line;
    if (m_row < m_capacity) m_rowLine[static_cast<size_t>(m_row)] = m_line;
  }

  std::vector<std::vector<std::string>>& m_columns;
  std::vector<int32_t>& m_rowLine;
  int32_t m_capacity;
  int32_t m_column = 0;
  int32_t m_row = 0;
  int32_t m_line = 1;
  int32_t m_rowStartLine = 1;
  bool m_inComment = false;
  bool m_rowHasContent = false;
};

const std::string& EmptyCell() {
  static const std::string empty;
  return empty;
}

void SetError(DataError* error, const std::string& file, int32_t line, std::string what) {
  if (error == nullptr) return;
  error->file = file;
  error->line = line;
  error->what = std::move(what);
}

std::string OverCapacity(int32_t capacity) { return "more rows than the capacity of " + std::to_string(capacity); }

}  // namespace

std::string DataError::Message() const {
  if (line > 0) return file + ":" + std::to_string(line) + ": " + what;
  return file + ": " + what;
}

bool CsvTable::Allocate(int32_t rows) {
  m_columns.clear();
  m_rowLine.clear();
  m_capacity = 0;
  if (rows < 0) return false;
  try {
    m_columns.resize(static_cast<size_t>(m_columnCount > 0 ? m_columnCount : 0));
    for (auto& column : m_columns) column.resize(static_cast<size_t>(rows));
    m_rowLine.assign(static_cast<size_t>(rows), 0);
  } catch (const std::bad_alloc&) {
    // A table is either whole or has no rows at all.
    m_columns.clear();
    m_rowLine.clear();
    return false;
  }
  m_capacity = rows;
  return true;
}

bool CsvTable::Load(const std::string& baseName, DataError* error) {
  m_fileName = baseName + ".csv";
  FileReader reader;
  if (!reader.Open(m_fileName)) {
    SetError(error, m_fileName, 0, "cannot open");
    return false;
  }
  m_rowLine.assign(m_rowLine.size(), 0);
  Splitter splitter(m_columns, m_rowLine, m_capacity);
  for (std::string_view block = reader.ReadBlock(); !block.empty(); block = reader.ReadBlock()) {
    if (!splitter.Feed(block)) {
      SetError(error, m_fileName, splitter.RowLine(), OverCapacity(m_capacity));
      return false;
    }
  }
  if (reader.Failed()) {
    SetError(error, m_fileName, 0, "cannot read");
    return false;
  }
  return true;
}

bool CsvTable::LoadBytes(std::string_view bytes, const std::string& file, DataError* error) {
  m_fileName = file;
  m_rowLine.assign(m_rowLine.size(), 0);
  Splitter splitter(m_columns, m_rowLine, m_capacity);
  if (!splitter.Feed(bytes)) {
    SetError(error, m_fileName, splitter.RowLine(), OverCapacity(m_capacity));
    return false;
  }
  return true;
}

const std::string& CsvTable::GetCell(int32_t column, int32_t row) const {
  if (column < 0 || row < 0 || column >= static_cast<int32_t>(m_columns.size()) || row >= m_capacity) {
    return EmptyCell();
  }
  return m_columns[static_cast<size_t>(column)][static_cast<size_t>(row)];
}

int32_t CsvTable::FindRow(std::string_view key) const {
  if (m_columns.empty()) return m_capacity;
  const std::vector<std::string>& labels = m_columns[0];
  for (int32_t row = 0; row < m_capacity; ++row) {
    if (labels[static_cast<size_t>(row)] == key) return row;
  }
  return m_capacity;
}

int32_t CsvTable::LineOfRow(int32_t row) const {
  if (row < 0 || row >= static_cast<int32_t>(m_rowLine.size())) return 0;
  return m_rowLine[static_cast<size_t>(row)];
}
