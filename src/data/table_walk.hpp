// How play walks the tables: the stage script's steps, a type's rows, a
// movement program's next step. The start-up check walks them through the
// same functions, so it takes exactly the rows play will take.
#pragma once

#include <cstdint>

#include "data/table_layout.hpp"

// One step of the stage script: a row, then a "DOT" right after it, then an
// "EOF" right after those. Anywhere else "DOT" and "EOF" are keys.
struct ScriptStep {
  int32_t row = 0;        // its key releases a type; its wait counts down to the next step
  int32_t speedRow = -1;  // the "DOT" row after it, or -1
  int32_t next = 0;       // the row the next step takes
  bool ends = false;      // the script ends at `next`: the stage is clear
  bool ranOff = false;    // ... because the table ended there without an "EOF"
};
ScriptStep TakeScriptStep(const StageTable& stage, int32_t row);

// A type's first step is the row right below its header.
inline int32_t FirstStepRow(int32_t typeRow) { return typeRow + 1; }

// The rows of a type whose header ("INIT") is at `typeRow`: its first step,
// then, after a "START" right below it, its parts up to the next "END".
struct TypeRows {
  int32_t firstStep = 0;
  bool hasParts = false;
  int32_t partsBegin = 0;  // part rows [partsBegin, partsEnd)
  int32_t partsEnd = 0;    // the "END" row, or the table's capacity when none closes them
  int32_t programRow = 0;  // the row its program goes on from after the first step
};
TypeRows ReadTypeRows(const DataTable& data, int32_t typeRow);

// The row after a program row. A program that runs off the table stays past
// its end (empty cells) instead of counting on into the 16-bit wrap.
inline int32_t NextProgramRow(const DataTable& data, int32_t row) { return row >= data.Capacity() ? row : row + 1; }

// The step a program takes at `row`: past one "BITMAP" row (a new image),
// then through one jump, whose target is taken as it stands. A "PHASE" row
// jumps only while the object has `liveParts` (a carrier's parts still
// standing) of its TIMER or fewer; otherwise the step is the row after it.
struct StepRows {
  int32_t imageRow = -1;  // the "BITMAP" row passed, or -1
  int32_t jumpRow = -1;   // the row whose jump was followed, or -1
  int32_t phaseRow = -1;  // the "PHASE" row passed without its jump, or -1
  int32_t row = 0;        // the step's own row; the capacity when the jump's label is unknown
};
StepRows ResolveStep(const DataTable& data, int32_t row, int32_t liveParts = 0);
