#include "data/data_check.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

// A small valid set: a type with a BITMAP row and a jump loop, a carrier
// with one child whose program shares the loop.
const char* const kData =
    "E1,,,,,INIT,,,C1\n"     // 1  row 0
    ",64,64,10,0,,,1,\n"     // 2
    ",,,,,BITMAP,,,C2\n"     // 3
    "L1,0,64,10,0,,,1,\n"    // 4
    ",,,,,,L1,,\n"           // 5
    "CAR,,,,,INIT,,,C1\n"    // 6  row 5
    ",64,64,10,,,,1\n"       // 7
    ",,,,,START\n"           // 8
    ",0,0,,1,,,,P1\n"        // 9
    ",,,,,END,\n"            // 10
    ",,,,,,NO_SUCH_LABEL\n"  // 11 passed over: the row below END is never loaded
    ",0,0,10,,,,1,\n"        // 12
    ",,,,,,L1\n"             // 13
    "P1,,,,,,,,C3\n"         // 14 row 13
    ",0,0,10,,,,0\n"         // 15
    ",,,,,,L1\n";            // 16
const char* const kChars = "C1,64,1,0,160,32,32,,1,100\nC2\nC3\n";
const char* const kStage = "E1,100,0,30\nDOT,,,2\nCAR,200,-96,1\nEOF,\n";

// Every one of the 64 rows keyed, so that no row answers an empty key.
std::string FullChars() {
  std::string chars = kChars;
  for (int32_t i = 3; i < 64; ++i) chars += "F" + std::to_string(i) + "\n";
  return chars;
}

struct Tables {
  DataTable data;
  StageTable stage;
  CharTable chars;
};

bool Check(const std::string& data, const std::string& stage, const std::string& chars, DataError* error,
           int32_t dataRows = 512) {
  Tables t;
  EXPECT_TRUE(t.data.Allocate(dataRows));
  EXPECT_TRUE(t.stage.Allocate(512));
  EXPECT_TRUE(t.chars.Allocate(64));
  EXPECT_TRUE(t.data.LoadBytes(data, "data.csv", error));
  EXPECT_TRUE(t.stage.LoadBytes(stage, "Stage1.csv", error));
  EXPECT_TRUE(t.chars.LoadBytes(chars, "char.csv", error));
  return CheckGameData(t.data, t.stage, t.chars, error);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(DataCheck, AcceptsWhatThePlayWouldFollow) {
  struct Case {
    const char* name;
    std::string data;
    std::string stage;
    std::string chars;
  };
  const Case cases[] = {
      {"the base set", kData, kStage, kChars},
      {"keywords as keys where the script takes keys",
       std::string(kData) + "EOF,,,,,INIT,,,C1\n,,,,\nDOT,,,,,INIT,,,C1\n",
       "EOF,100,0,1\nDOT,,,2\nDOT,50,0,1\nE1\nEOF,\n", kChars},
      {"a row that only waits", kData, ",,,60\nEOF,\n", kChars},
      {"empty character key finds an unfilled char row", Replace(kData, "INIT,,,C1", "INIT,,,"), kStage, kChars},
      {"a jump target is loaded without its BITMAP",
       Replace(kData, ",,,,,,L1,,\n", ",,,,,,L2,,\nL2,,,,,BITMAP,,,C9\n,,,,,,L1,,\n"), kStage, kChars},
      {"types never released are not followed", std::string(kData) + "X,,,,,INIT,,,C9\n,,,,,,C9\n", kStage, kChars},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataError error;
    EXPECT_TRUE(Check(c.data, c.stage, c.chars, &error)) << error.Message();
  }
}

TEST(DataCheck, NamesTheFileLineAndKeyOfEachFault) {
  struct Case {
    const char* name;
    std::string data;
    std::string stage;
    std::string chars;
    const char* file;
    int32_t line;
    const char* what;
  };
  const Case cases[] = {
      {"unknown script key", kData, "E1\nE9,1,1,1\nEOF,\n", kChars, "Stage1.csv", 2, "unknown key 'E9'"},
      {"script key without INIT", kData, "L1,1,1,1\nEOF,\n", kChars, "Stage1.csv", 1, "names line 4 of data.csv"},
      {"no EOF", kData, "E1,1,1,1\n", kChars, "Stage1.csv", 0, "no \"EOF\""},
      {"EOF only after two DOT rows", kData, "E1\nDOT,,,1\nDOT,,,2\nEOF,\n", kChars, "Stage1.csv", 3,
       "unknown key 'DOT'"},
      {"type's character", Replace(kData, "E1,,,,,INIT,,,C1", "E1,,,,,INIT,,,C9"), kStage, kChars, "data.csv", 1,
       "unknown key 'C9': no row of char.csv holds it"},
      {"BITMAP character", Replace(kData, "BITMAP,,,C2", "BITMAP,,,c2"), kStage, kChars, "data.csv", 3,
       "unknown key 'c2'"},
      {"jump label", Replace(kData, ",,,,,,L1,,\n", ",,,,,,L1 ,,\n"), kStage, kChars, "data.csv", 5,
       "unknown key 'L1 '"},
      {"missing END", Replace(kData, ",,,,,END,\n", ",,,,,ENDE,\n"), kStage, kChars, "data.csv", 8,
       "\"START\" without an \"END\" row"},
      {"child type", Replace(kData, ",,,,P1\n", ",,,,P2\n"), kStage, kChars, "data.csv", 9, "unknown key 'P2'"},
      {"child type's character", Replace(kData, "P1,,,,,,,,C3", "P1,,,,,,,,C4"), kStage, kChars, "data.csv", 14,
       "unknown key 'C4'"},
      {"child program", Replace(kData, ",0,0,10,,,,0\n,,,,,,L1\n", ",0,0,10,,,,0\n,,,,,,L3\n"), kStage, kChars,
       "data.csv", 16, "unknown key 'L3'"},
      {"carrier program after END", Replace(kData, ",0,0,10,,,,1,\n,,,,,,L1\n", ",0,0,10,,,,1,\n,,,,,,L4\n"), kStage,
       kChars, "data.csv", 13, "unknown key 'L4'"},
      {"empty character key in a full char table", Replace(kData, "INIT,,,C1", "INIT,,,"), kStage, FullChars(),
       "data.csv", 1, "unknown key ''"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataError error;
    EXPECT_FALSE(Check(c.data, c.stage, c.chars, &error));
    EXPECT_EQ(error.file, c.file);
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.what.find(c.what), std::string::npos) << error.what;
  }
}

// Scans stop at the capacity: a program that runs off the table holds no
// more keys, but a child block must close inside it.
TEST(DataCheck, StopsAtTheCapacity) {
  DataError error;
  EXPECT_TRUE(Check("E1,,,,,INIT,,,C1\n,64,64,1,,,,1\n", "E1\nEOF,\n", kChars, &error, 2)) << error.Message();
  EXPECT_FALSE(Check("E1,,,,,INIT,,,C1\n,64,64,1\n,,,,,START\n,,,,,,,,E1\n", "E1\nEOF,\n", kChars, &error, 4));
  EXPECT_EQ(error.Message(), "data.csv:3: \"START\" without an \"END\" row");

  std::string script;
  for (int32_t i = 0; i < 510; ++i) script += ",,,1\n";
  EXPECT_TRUE(Check(kData, script + "DOT,,,1\nEOF,\n", kChars, &error)) << error.Message();
  EXPECT_FALSE(Check(kData, script + ",,,1\n,,,1\n", kChars, &error));
  EXPECT_EQ(error.Message(), "Stage1.csv: no \"EOF\" row where the script would take one before row 512");
}

}  // namespace
