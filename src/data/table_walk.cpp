#include "data/table_walk.hpp"

ScriptStep TakeScriptStep(const StageTable& stage, int32_t row) {
  ScriptStep step;
  step.row = row;
  step.next = row + 1;
  if (stage.Is(StageColumn::KEY, step.next, KEYWORD_DOT)) step.speedRow = step.next++;
  step.ranOff = step.next >= stage.Capacity();
  step.ends = step.ranOff || stage.Is(StageColumn::KEY, step.next, KEYWORD_EOF);
  return step;
}

TypeRows ReadTypeRows(const DataTable& data, int32_t typeRow) {
  TypeRows rows;
  rows.firstStep = FirstStepRow(typeRow);
  rows.programRow = rows.firstStep;
  rows.hasParts = data.Is(DataColumn::COMMAND, typeRow + 2, KEYWORD_START);
  if (rows.hasParts) {
    rows.partsBegin = typeRow + 3;
    rows.partsEnd = rows.partsBegin;
    while (rows.partsEnd < data.Capacity() && !data.Is(DataColumn::COMMAND, rows.partsEnd, KEYWORD_END)) {
      ++rows.partsEnd;
    }
    rows.programRow = rows.partsEnd + 1;
  }
  return rows;
}

StepRows ResolveStep(const DataTable& data, int32_t row, int32_t liveParts) {
  StepRows step;
  step.row = row;
  if (data.Is(DataColumn::COMMAND, row, KEYWORD_BITMAP)) {
    step.imageRow = row;
    step.row = NextProgramRow(data, row);
  }
  if (data.Is(DataColumn::COMMAND, step.row, KEYWORD_PHASE) && liveParts > data.Int(DataColumn::TIMER, step.row)) {
    step.phaseRow = step.row;
    step.row = NextProgramRow(data, step.row);
  }
  const std::string& label = data.Text(DataColumn::JUMP, step.row);
  if (!label.empty()) {
    step.jumpRow = step.row;
    step.row = data.FindRow(label);
  }
  return step;
}
