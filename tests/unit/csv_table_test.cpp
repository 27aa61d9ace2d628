#include "data/csv_table.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "data/numbers.hpp"
#include "test_support.hpp"

namespace {

using testing_support::MakeTempDir;
using testing_support::WriteFile;

using Rows = std::vector<std::vector<std::string>>;

// Every cell of the first `rows.size() + 2` rows, with cells not listed empty.
void ExpectCells(const CsvTable& table, const Rows& rows) {
  for (int32_t row = 0; row < static_cast<int32_t>(rows.size()) + 2; ++row) {
    for (int32_t column = 0; column < table.ColumnCount(); ++column) {
      std::string want;
      if (row < static_cast<int32_t>(rows.size()) &&
          column < static_cast<int32_t>(rows[static_cast<size_t>(row)].size())) {
        want = rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
      }
      EXPECT_EQ(table.GetCell(column, row), want) << "column " << column << ", row " << row;
    }
  }
}

TEST(CsvTable, SplitsBytesByTheFileRules) {
  struct Case {
    const char* name;
    int32_t columns;
    std::string bytes;
    Rows rows;
  };
  const Case cases[] = {
      {"empty field", 10, "a,,b\n", {{"a", "", "b"}}},
      {"comment line is not a row", 10, "# note\nx,1\n", {{"x", "1"}}},
      {"comment swallows the line feed", 10, "x,1 # joined\ny,2\n", {{"x", "1 y", "2"}}},
      {"comment inside a cell", 10, "ab#c\nd,e\n", {{"abd", "e"}}},
      {"carriage returns are kept", 10, "a,b\r\na,12\r\n", {{"a", "b\r"}, {"a", "12\r"}}},
      {"no final line feed", 10, "a,b\nc", {{"a", "b"}, {"c"}}},
      {"file ends inside a comment", 10, "a,1\n# tail", {{"a", "1"}}},
      {"quotes are ordinary bytes", 10, "\"p,q\",r\n", {{"\"p", "q\"", "r"}}},
      {"eleventh field dropped",
       10,
       "0,1,2,3,4,5,6,7,8,9,10,11\nn",
       {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, {"n"}}},
      {"sixth field dropped", 5, "k,1,2,3,4,5\n", {{"k", "1", "2", "3", "4"}}},
      {"empty line is an empty row", 10, "a\n\nb\n", {{"a"}, {}, {"b"}}},
      {"spaces and tabs kept", 10, " E1 ,\t7\n", {{" E1 ", "\t7"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CsvTable table(c.columns);
    ASSERT_TRUE(table.Allocate(8));
    DataError error;
    ASSERT_TRUE(table.LoadBytes(c.bytes, "t.csv", &error)) << error.Message();
    ExpectCells(table, c.rows);
  }
}

TEST(CsvTable, RowsPastTheCapacityFailNamingTheirLine) {
  struct Case {
    const char* name;
    int32_t capacity;
    std::string bytes;
    int32_t line;  // 0: the bytes fit
  };
  const Case cases[] = {
      {"third row of two", 2, "a\nb\nc\n", 3},
      {"comments and joined lines count", 2, "# head\na\nb # joined\nc\n\nd\n", 6},
      {"a lone separator is a row", 1, "a\n,\n", 2},
      {"exactly full, trailing blank lines", 2, "a\nb\n\n\n", 0},
      {"exactly full, trailing comment", 2, "a\nb\n# end", 0},
      {"exactly full, Windows line ends and blank lines of spaces", 2, "a\r\nb\r\n\r\n  \t\r\n", 0},
      {"a row after the blank lines past the capacity", 2, "a\nb\n \n\r\n x\n", 5},
      {"never allocated", 0, "a", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CsvTable table(10);
    if (c.capacity > 0) {
      ASSERT_TRUE(table.Allocate(c.capacity));
    }
    DataError error;
    const bool loaded = table.LoadBytes(c.bytes, "t.csv", &error);
    EXPECT_EQ(loaded, c.line == 0);
    if (c.line != 0) {
      EXPECT_EQ(error.file, "t.csv");
      EXPECT_EQ(error.line, c.line);
      EXPECT_NE(error.what.find("more rows than the capacity"), std::string::npos) << error.what;
    }
  }
}

// Rows, keys and lines read back, and nothing outside the table.
TEST(CsvTable, LookupsStayInsideTheTable) {
  CsvTable table(10);
  ASSERT_TRUE(table.Allocate(5));
  ASSERT_TRUE(table.LoadBytes("# c\nE1 ,a\nE1,b# j\n\n,c\nX,d", "t.csv", nullptr));
  // Row 0 begins after the comment; row 1 spans lines 3 and 4; no row 4 began.
  const int32_t lines[] = {2, 3, 5, 6, 0};
  for (int32_t row = 0; row < 5; ++row) EXPECT_EQ(table.LineOfRow(row), lines[row]) << "row " << row;
  EXPECT_EQ(table.LineOfRow(-1), 0);
  EXPECT_EQ(table.LineOfRow(5), 0);
  EXPECT_EQ(table.FindRow("E1"), 1);  // "E1 " is not "E1"
  EXPECT_EQ(table.FindRow("e1"), 5);
  EXPECT_EQ(table.FindRow(""), 2);
  EXPECT_EQ(table.FindRow("nowhere"), table.Capacity());
  const int32_t outside[][2] = {{-1, 0}, {10, 0}, {0, -1}, {0, 5}, {INT32_MAX, INT32_MAX}};
  for (const auto& cell : outside) EXPECT_EQ(table.GetCell(cell[0], cell[1]), "");

  CsvTable unallocated(10);
  EXPECT_EQ(unallocated.FindRow(""), 0);
  EXPECT_EQ(unallocated.GetCell(0, 0), "");
}

TEST(CsvTable, LoadAppendsAndAllocateClears) {
  CsvTable table(10);
  ASSERT_TRUE(table.Allocate(2));
  ASSERT_TRUE(table.LoadBytes("a,1\n", "t.csv", nullptr));
  ASSERT_TRUE(table.LoadBytes("b,2\nc", "t.csv", nullptr));
  ExpectCells(table, {{"ab", "12"}, {"c"}});
  ASSERT_TRUE(table.Allocate(2));
  ExpectCells(table, {});
  EXPECT_FALSE(table.Allocate(-1));
  EXPECT_EQ(table.Capacity(), 0);
}

// Files are read in blocks; a comment or a cell cut by a block's end must
// split the same as the bytes in one piece. Errors name the file.
TEST(CsvTable, FileLoadMatchesTheBytesAcrossBlocks) {
  std::string comments;
  std::string cells;
  for (int32_t i = 0; i < 500; ++i) {
    comments += "K" + std::to_string(i) + "," + std::to_string(i) + " # " + std::string(60, 'c') + "\n" +
                std::to_string(i % 7) + "\n";
    cells += "K" + std::to_string(i) + "," + std::string(static_cast<size_t>(40 + i % 50), 'v') + ",#\n" +
             std::to_string(i) + "\n";
  }
  const auto dir = MakeTempDir();
  for (const std::string* bytes : {&comments, &cells}) {
    WriteFile(dir / "t.csv", *bytes);
    CsvTable fromFile(10);
    CsvTable fromBytes(10);
    ASSERT_TRUE(fromFile.Allocate(512));
    ASSERT_TRUE(fromBytes.Allocate(512));
    DataError error;
    ASSERT_TRUE(fromFile.Load((dir / "t").string(), &error)) << error.Message();
    ASSERT_TRUE(fromBytes.LoadBytes(*bytes, "t.csv", &error));
    for (int32_t row = 0; row < 512; ++row) {
      EXPECT_EQ(fromFile.LineOfRow(row), fromBytes.LineOfRow(row));
      for (int32_t column = 0; column < 10; ++column) {
        ASSERT_EQ(fromFile.GetCell(column, row), fromBytes.GetCell(column, row)) << column << "," << row;
      }
    }
    EXPECT_EQ(fromFile.FindRow("K499"), 499);
  }

  CsvTable table(5);
  ASSERT_TRUE(table.Allocate(2));
  DataError error;
  EXPECT_FALSE(table.Load((dir / "absent").string(), &error));
  EXPECT_EQ(error.Message(), (dir / "absent.csv").string() + ": cannot open");

  WriteFile(dir / "full.csv", "# rows\na\nb\nc\n");
  EXPECT_FALSE(table.Load((dir / "full").string(), &error));
  EXPECT_EQ(error.Message(), (dir / "full.csv").string() + ":4: more rows than the capacity of 2");
}

TEST(CellToInt, ReadsLikeAtoiAndSaturates) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"", 0},          {"abc", 0},       {"42", 42},     {"007", 7},       {"  -17x", -17},
      {"+5", 5},        {" \t\n\v\f\r9", 9}, {"12\r", 12},  {"- 5", 0},        {"+-5", 0},
      {"0x1A", 0},      {"\xA0" "5", 0},   {"2147483647", INT32_MAX},          {"2147483648", INT32_MAX},
      {"-2147483648", INT32_MIN},         {"-2147483649", INT32_MIN},         {"99999999999999999999999999", INT32_MAX},
      {"-00000000000000000000000003", -3},
  };
  for (const Case& c : cases) EXPECT_EQ(CellToInt(c.text), c.value) << '"' << c.text << '"';

  // 16-bit fields keep the low 16 bits.
  EXPECT_TRUE(CellToI16("65535") == -1 && CellToI16("70000") == 70000 - 65536 && CellToI16("32768") == -32768);
}

}  // namespace
