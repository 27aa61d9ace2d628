// The arcade's data: each difficulty's tuning read from difficulty.csv, and
// the best runs of a difficulty with their initials, in their own file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data/arcade_table.hpp"
#include "data/difficulty.hpp"
#include "test_support.hpp"

namespace {

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::WriteFile;

TEST(Difficulties, EachRowByNameOrTheLineAndFieldThatIsWrong) {
  std::array<DifficultyTuning, kDifficulties> tunings;
  DataError error;
  ASSERT_TRUE(LoadDifficulties(testing_support::RepoDataDir().string(), tunings, &error)) << error.Message();
  EXPECT_EQ(tunings[static_cast<size_t>(Difficulty::Normal)].firePercent, 100);
  EXPECT_GT(tunings[static_cast<size_t>(Difficulty::Expert)].firePercent, tunings[1].firePercent);

  const std::string good = "# a comment\neasy,50,0,0,75,25,3,20000,30000\nnormal,100,0,0,100,25,3,20000,40000\n"
                           "hard,400,1,2,125,25,3,30000,50000\n";
  const struct {
    std::string text;
    std::string message;  // after the folder
  } bad[] = {
      {good, "difficulty.csv: no row for 'expert'"},
      {good + "expert,800,2,4,0,25,3,40000,60000\n",
       "difficulty.csv:5: toughness of 'expert' must be a whole number from 1 to 10000"},
      {good + "expert,800,2,4,150,25,3,-1,60000\n",
       "difficulty.csv:5: first extra life of 'expert' must be a whole number from 0 to 2147483647"},
      {good + "expert,800,2,x4,150,25,3,40000,60000\n", "difficulty.csv:5: volley of 'expert' must be a whole number from 0 to 8"},
      {"", "difficulty.csv: no row for 'easy'"},
  };
  for (const auto& c : bad) {
    const auto dir = MakeTempDir();
    WriteFile(dir / "difficulty.csv", c.text);
    EXPECT_FALSE(LoadDifficulties(dir.string(), tunings, &error));
    EXPECT_EQ(error.Message(), (dir / c.message).string());
  }
}

TEST(ArcadeTable, PlacesScoresBestFirstAndKeepsItsFileWhole) {
  ArcadeTable table;
  EXPECT_EQ(table.PlaceOf(0), std::nullopt);
  table.Enter({300, {'C', 'C', 'C'}});
  table.Enter({500, {'A', 'A', 'A'}});
  table.Enter({300, {'D', 'D', 'D'}});  // a tie goes below
  for (int32_t score : {100, 200}) table.Enter({score, {'E', 'E', 'E'}});
  EXPECT_EQ(table.Text(), "500 AAA\n300 CCC\n300 DDD\n200 EEE\n100 EEE\n");
  EXPECT_EQ(table.PlaceOf(100), std::nullopt) << "not past the last";
  EXPECT_EQ(table.PlaceOf(301), 1u);

  ArcadeTable read;
  std::string error;
  ASSERT_TRUE(read.Parse(table.Text(), "t", error)) << error;
  EXPECT_EQ(read, table);
  const struct {
    const char* text;
    const char* error;
  } bad[] = {{"500 AAA\n12 ab\n", "t:2:"}, {"0 AAA\n", "t:1:"}, {"99999999999 AAA\n", "t:1:"}, {"500 AAAA\n", "t:1:"},
             {"AAA 500\n", "t:1:"}, {"90fffffffffffffffffffff00 XYZ\n", "t:1:"}};
  for (const auto& c : bad) {
    EXPECT_FALSE(read.Parse(c.text, "t", error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
  read.Parse(bad[0].text, "t", error);
  EXPECT_EQ(read.Text(), "500 AAA\n") << "what came before the bad line is kept";

  // A save enters into the file as it stands then; a garbled file keeps its good lines.
  const auto dir = MakeTempDir();
  const std::string path = (dir / "scores" / "arcade-normal.dat").string();
  ASSERT_TRUE(SaveArcadeEntry(path, {700, {'Z', 'O', 'E'}}));
  WriteFile(path, ReadFile(path) + "250 BOB\nnot a line\n800 LAST\n");
  testing::internal::CaptureStderr();
  ASSERT_TRUE(SaveArcadeEntry(path, {400, {'A', 'N', 'N'}}));
  EXPECT_NE(testing::internal::GetCapturedStderr().find(path + ":3:"), std::string::npos);
  EXPECT_EQ(ReadFile(path), "700 ZOE\n400 ANN\n250 BOB\n");
  EXPECT_EQ(std::filesystem::status(dir / "scores").permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
}

}  // namespace
