#include "data/data_check.hpp"

#include <climits>
#include <vector>

#include "data/printable.hpp"
#include "data/table_walk.hpp"

namespace {

class Checker {
 public:
  Checker(const DataTable& data, const StageTable& stage, const CharTable& chars, DataError* error)
      : m_data(data),
        m_stage(stage),
        m_chars(chars),
        m_error(error),
        m_typeChecked(static_cast<size_t>(data.Capacity()), false),
        m_programRowSeen(static_cast<size_t>(data.Capacity()), false) {}

  bool WalkScript() {
    for (int32_t row = 0;;) {
      const ScriptStep step = TakeScriptStep(m_stage, row);
      if (!CheckScriptRow(step.row)) return false;
      if (step.ranOff) {
        return Fail(m_stage, 0,
                    "no \"" + std::string(KEYWORD_EOF) + "\" row where the script would take one before row " +
                        std::to_string(m_stage.Capacity()));
      }
      if (step.ends) return true;
      row = step.next;
    }
  }

 private:
  bool CheckScriptRow(int32_t row) {
    const std::string& key = m_stage.Text(StageColumn::KEY, row);
    if (key.empty()) return true;
    int32_t header = 0;
    if (!Find(m_data, key, m_stage, row, &header)) return false;
    if (!m_data.Is(DataColumn::COMMAND, header, KEYWORD_INIT)) {
      return Fail(m_stage, m_stage.LineOfRow(row),
                  "key '" + Printable(key) + "' names line " + std::to_string(m_data.LineOfRow(header)) + " of " +
                      m_data.FileName() + ", which is not an \"" + std::string(KEYWORD_INIT) + "\" row");
    }
    return CheckReleasedType(header);
  }

  bool CheckReleasedType(int32_t header) {
    if (m_typeChecked[static_cast<size_t>(header)]) return true;
    m_typeChecked[static_cast<size_t>(header)] = true;
    if (!FindChar(header)) return false;
    const TypeRows rows = ReadTypeRows(m_data, header);
    if (rows.hasParts && rows.partsEnd >= m_data.Capacity()) {
      return Fail(m_data, m_data.LineOfRow(rows.partsBegin - 1),
                  "\"" + std::string(KEYWORD_START) + "\" without an \"" + std::string(KEYWORD_END) + "\" row");
    }
    for (int32_t row = rows.partsBegin; rows.hasParts && row < rows.partsEnd; ++row) {
      int32_t type = 0;
      if (!Find(m_data, m_data.Text(DataColumn::CHAR, row), m_data, row, &type)) return false;
      if (!FindChar(type) || !CheckProgram(FirstStepRow(type))) return false;
    }
    return CheckProgram(rows.programRow);
  }

  // Follows a program from a row as the step loader will. Each program row
  // is followed once, so loops end; rows past the capacity hold no keys.
  bool CheckProgram(int32_t programRow) {
    while (programRow < m_data.Capacity() && !m_programRowSeen[static_cast<size_t>(programRow)]) {
      m_programRowSeen[static_cast<size_t>(programRow)] = true;
      // A phase's jump is checked as taken, and the program beyond it as not.
      const StepRows passed = ResolveStep(m_data, NextProgramRow(m_data, programRow), INT32_MAX);
      if (passed.phaseRow >= 0 && !CheckProgram(passed.phaseRow)) return false;
      const StepRows step = ResolveStep(m_data, NextProgramRow(m_data, programRow));
      if (step.imageRow >= 0 && !FindChar(step.imageRow)) return false;
      if (step.jumpRow >= 0 && step.row >= m_data.Capacity()) {
        return Fail(m_data, m_data.LineOfRow(step.jumpRow), UnknownKey(m_data.Text(DataColumn::JUMP, step.jumpRow), m_data));
      }
      programRow = step.row;
    }
    return true;
  }

  // The char.csv row that a data.csv row's CHAR cell names.
  bool FindChar(int32_t dataRow) {
    return Find(m_chars, m_data.Text(DataColumn::CHAR, dataRow), m_data, dataRow, nullptr);
  }

  // The row of `where` holding `key`; a failure names the row of `namer` that asked.
  bool Find(const CsvTable& where, const std::string& key, const CsvTable& namer, int32_t namerRow, int32_t* found) {
    const int32_t row = where.FindRow(key);
    if (row >= where.Capacity()) return Fail(namer, namer.LineOfRow(namerRow), UnknownKey(key, where));
    if (found != nullptr) *found = row;
    return true;
  }

  static std::string UnknownKey(const std::string& key, const CsvTable& where) {
    return "unknown key '" + Printable(key) + "': no row of " + where.FileName() + " holds it";
  }

  bool Fail(const CsvTable& table, int32_t line, std::string what) {
    if (m_error != nullptr) *m_error = DataError{table.FileName(), line, std::move(what)};
    return false;
  }

  const DataTable& m_data;
  const StageTable& m_stage;
  const CharTable& m_chars;
  DataError* m_error;
  std::vector<bool> m_typeChecked;
  std::vector<bool> m_programRowSeen;
};

}  // namespace

bool CheckGameData(const DataTable& data, const StageTable& stage, const CharTable& chars, DataError* error) {
  return Checker(data, stage, chars, error).WalkScript();
}
