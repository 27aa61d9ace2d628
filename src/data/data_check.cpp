#include "data/data_check.hpp"

#include <vector>

#include "data/printable.hpp"
#include "data/table_layout.hpp"

namespace {

class Checker {
 public:
  Checker(const CsvTable& data, const CsvTable& stage, const CsvTable& chars, DataError* error)
      : m_data(data),
        m_stage(stage),
        m_chars(chars),
        m_error(error),
        m_typeChecked(static_cast<size_t>(data.Capacity()), false),
        m_programRowSeen(static_cast<size_t>(data.Capacity()), false) {}

  // Takes the script rows as the stage step does: a row, then a "DOT" right
  // after it, then an "EOF" right after those. Anywhere else they are keys.
  bool WalkScript() {
    int32_t row = 0;
    for (;;) {
      if (row >= m_stage.Capacity()) {
        return Fail(m_stage, 0,
                    "no \"" + std::string(KEYWORD_EOF) + "\" row where the script would take one before row " +
                        std::to_string(m_stage.Capacity()));
      }
      const std::string& key = m_stage.GetCell(STAGE_COL_KEY, row);
      if (!key.empty()) {
        int32_t header = 0;
        if (!Find(m_data, key, m_stage, row, &header)) return false;
        if (m_data.GetCell(DATA_COL_COMMAND, header) != KEYWORD_INIT) {
          return Fail(m_stage, m_stage.LineOfRow(row),
                      "key '" + Printable(key) + "' names line " + std::to_string(m_data.LineOfRow(header)) + " of " +
                          m_data.FileName() + ", which is not an \"" + std::string(KEYWORD_INIT) + "\" row");
        }
        if (!CheckReleasedType(header)) return false;
      }
      ++row;
      if (m_stage.GetCell(STAGE_COL_KEY, row) == KEYWORD_DOT) ++row;
      if (m_stage.GetCell(STAGE_COL_KEY, row) == KEYWORD_EOF) return true;
    }
  }

 private:
  bool CheckReleasedType(int32_t header) {
    if (m_typeChecked[static_cast<size_t>(header)]) return true;
    m_typeChecked[static_cast<size_t>(header)] = true;
    if (!Find(m_chars, m_data.GetCell(DATA_COL_KEY, header), m_data, header, nullptr)) return false;
    int32_t programRow = header + 1;
    if (m_data.GetCell(DATA_COL_COMMAND, header + 2) == KEYWORD_START) {
      int32_t end = header + 3;
      while (end < m_data.Capacity() && m_data.GetCell(DATA_COL_COMMAND, end) != KEYWORD_END) ++end;
      if (end >= m_data.Capacity()) {
        return Fail(m_data, m_data.LineOfRow(header + 2),
                    "\"" + std::string(KEYWORD_START) + "\" without an \"" + std::string(KEYWORD_END) + "\" row");
      }
      for (int32_t row = header + 3; row < end; ++row) {
        if (!CheckChild(row)) return false;
      }
      programRow = end + 1;
    }
    return CheckProgram(programRow);
  }

  bool CheckChild(int32_t row) {
    int32_t type = 0;
    if (!Find(m_data, m_data.GetCell(DATA_COL_KEY, row), m_data, row, &type)) return false;
    if (!Find(m_chars, m_data.GetCell(DATA_COL_KEY, type), m_data, type, nullptr)) return false;
    return CheckProgram(type + 1);
  }

  // Follows the step loader from a program row: advance, a "BITMAP" row, then
  // a jump whose target is loaded as it stands. Each program row is followed
  // once, so loops end; rows past the capacity hold no keys.
  bool CheckProgram(int32_t programRow) {
    const int32_t capacity = m_data.Capacity();
    while (programRow < capacity && !m_programRowSeen[static_cast<size_t>(programRow)]) {
      m_programRowSeen[static_cast<size_t>(programRow)] = true;
      int32_t row = programRow + 1;
      if (m_data.GetCell(DATA_COL_COMMAND, row) == KEYWORD_BITMAP) {
        if (!Find(m_chars, m_data.GetCell(DATA_COL_KEY, row), m_data, row, nullptr)) return false;
        ++row;
      }
      const std::string& label = m_data.GetCell(DATA_COL_JUMP, row);
      if (!label.empty() && !Find(m_data, label, m_data, row, &row)) return false;
      programRow = row;
    }
    return true;
  }

  // The row of `where` holding `key`; a failure names the row of `namer` that asked.
  bool Find(const CsvTable& where, const std::string& key, const CsvTable& namer, int32_t namerRow, int32_t* found) {
    const int32_t row = where.FindRow(key);
    if (row >= where.Capacity()) {
      return Fail(namer, namer.LineOfRow(namerRow),
                  "unknown key '" + Printable(key) + "': no row of " + where.FileName() + " holds it");
    }
    if (found != nullptr) *found = row;
    return true;
  }

  bool Fail(const CsvTable& table, int32_t line, std::string what) {
    if (m_error != nullptr) *m_error = DataError{table.FileName(), line, std::move(what)};
    return false;
  }

  const CsvTable& m_data;
  const CsvTable& m_stage;
  const CsvTable& m_chars;
  DataError* m_error;
  std::vector<bool> m_typeChecked;
  std::vector<bool> m_programRowSeen;
};

}  // namespace

bool CheckGameData(const CsvTable& data, const CsvTable& stage, const CsvTable& chars, DataError* error) {
  return Checker(data, stage, chars, error).WalkScript();
}
