// What the table files hold: each table's columns by name and the keywords,
// read through typed accessors so that play and the start-up check read every
// cell the same way. Keywords are compared as whole cells.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/csv_table.hpp"
#include "data/numbers.hpp"

// data.csv: object types, their movement programs, and carriers' part lists.
enum class DataColumn : int32_t {
  KEY = 0,      // a type's name, or a label a jump can name
  ANGLE_X = 1,  // a step: direction of x motion, of y motion, frames it lasts
  ANGLE_Y = 2,
  TIMER = 3,
  FIRE_CHANCE = 4,  // one chance in this many per frame to fire
  COMMAND = 5,      // "INIT", "START", "END", "BITMAP", or empty for a step
  JUMP = 6,         // label to continue at
  SPEED = 7,
  CHAR = 8,  // char.csv key; on a part row, the data.csv key of the part's type
  // A carrier's part rows, between "START" and "END":
  PART_X = 1,  // offset from the carrier
  PART_Y = 2,
  PART_KIND = 4,
};

// Stage1.csv: the stage script.
enum class StageColumn : int32_t {
  KEY = 0,   // data.csv key of the type to release, "DOT" or "EOF"
  X = 1,     // where it appears
  Y = 2,
  WAIT = 3,  // frames until the next row; on a "DOT" row, the new scroll speed
};

// char.csv: images and statistics.
enum class CharColumn : int32_t {
  KEY = 0,
  SHOT_TYPE = 1,
  HIT_POINTS = 2,
  LEFT = 3,  // the image on the sprite sheet
  TOP = 4,
  WIDTH = 5,
  HEIGHT = 6,
  KIND = 8,
  SCORE = 9,
};

inline constexpr std::string_view KEYWORD_INIT = "INIT";      // a type's header row
inline constexpr std::string_view KEYWORD_START = "START";    // a carrier's parts follow
inline constexpr std::string_view KEYWORD_END = "END";        // ... up to here
inline constexpr std::string_view KEYWORD_BITMAP = "BITMAP";  // the image changes to CHAR's
inline constexpr std::string_view KEYWORD_PHASE = "PHASE";    // JUMP taken at TIMER live parts or fewer
inline constexpr std::string_view KEYWORD_DOT = "DOT";        // a new scroll speed
inline constexpr std::string_view KEYWORD_EOF = "EOF";        // the script's end

// A table file whose cells are read by column name.
template <typename Column, int32_t kColumns>
class Table : public CsvTable {
 public:
  Table() : CsvTable(kColumns) {}

  const std::string& Text(Column column, int32_t row) const { return GetCell(static_cast<int32_t>(column), row); }
  // As atoi reads the cell.
  int32_t Int(Column column, int32_t row) const { return CellToInt(Text(column, row)); }
  // Stored into a 16-bit field: the low 16 bits.
  int16_t I16(Column column, int32_t row) const { return CellToI16(Text(column, row)); }
  bool Is(Column column, int32_t row, std::string_view keyword) const { return Text(column, row) == keyword; }
};

using DataTable = Table<DataColumn, 10>;
using StageTable = Table<StageColumn, 5>;
using CharTable = Table<CharColumn, 10>;
