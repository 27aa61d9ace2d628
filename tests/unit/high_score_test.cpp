#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "data/high_score.hpp"
#include "test_support.hpp"

namespace {

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::ScoreFileText;
using testing_support::WriteFile;

std::vector<int32_t> Scores(const HighScoreTable& t, size_t n = 9) {
  std::vector<int32_t> s;
  for (size_t i = 0; i < n; ++i) s.push_back(t.entries[i].score);
  return s;
}

TEST(HighScores, NoFileKeepsTheInitialTableAndSaveCreatesIt) {
  const auto path = (MakeTempDir() / "score.dat").string();
  HighScoreTable table;
  EXPECT_FALSE(table.Load(path));
  EXPECT_EQ(Scores(table), std::vector<int32_t>(9, 0));
  ASSERT_TRUE(table.Save(path, 500));
  EXPECT_EQ(ReadFile(path), ScoreFileText({500}));
}

TEST(HighScores, SortKeepsEightBestAndTheRunScore) {
  const std::vector<int32_t> stored = {900, 800, 700, 600, 500, 400, 300, 200, 100};
  const struct {
    int16_t run;
    std::vector<int32_t> after;
  } cases[] = {
      {250, {900, 800, 700, 600, 500, 400, 300, 250, 200}},
      {50, {900, 800, 700, 600, 500, 400, 300, 200, 50}},
      {1000, {1000, 900, 800, 700, 600, 500, 400, 300, 200}},
  };
  for (const auto& c : cases) {
    const auto path = (MakeTempDir() / "score.dat").string();
    WriteFile(path, ScoreFileText(stored));
    HighScoreTable table;
    ASSERT_TRUE(table.Load(path));
    ASSERT_EQ(Scores(table), stored);
    ASSERT_TRUE(table.Save(path, c.run));
    EXPECT_EQ(Scores(table), c.after);
    HighScoreTable reread;
    ASSERT_TRUE(reread.Load(path));
    EXPECT_EQ(Scores(reread), c.after) << "run " << c.run;
  }
}

TEST(HighScores, FreeWhiteSpaceExtraNumbersAndTheExtraValues) {
  const auto dir = MakeTempDir();
  std::string text = ScoreFileText({7, 6, 5, 4, 3, 2, 1, 0, 9}, ' ');
  text += "12345 67890\n";  // past the 36th number: ignored
  WriteFile(dir / "a", text);
  HighScoreTable table;
  table.entries[9].score = 4242;
  ASSERT_TRUE(table.Load((dir / "a").string()));
  EXPECT_EQ(Scores(table), (std::vector<int32_t>{7, 6, 5, 4, 3, 2, 1, 0, 9}));
  EXPECT_EQ(table.entries[9].score, 4242) << "entry 9 is never read";
  EXPECT_EQ(table.entries[4].extra[1], 2);

  // The further values are 16-bit: a stored 70000 ^ mask keeps its low 16 bits.
  WriteFile(dir / "b", std::to_string(0 ^ 0x5E) + " " + std::to_string(70000 ^ 0x5E) + " -1 -2\n");
  HighScoreTable wide;
  wide.Load((dir / "b").string());
  EXPECT_EQ(wide.entries[0].extra[0], static_cast<int16_t>(70000));
  EXPECT_EQ(wide.entries[0].extra[1], static_cast<int16_t>(-1 ^ 0x5E));
}

TEST(HighScores, ShortOrGarbledFilesKeepWhatWasRead) {
  const auto dir = MakeTempDir();
  const std::string good = ScoreFileText({300, 200, 100});
  const struct {
    std::string text;
    std::vector<int32_t> scores;
  } cases[] = {
      {"", std::vector<int32_t>(9, 0)},
      {good.substr(0, good.find('\n', good.find('\n') + 1)), std::vector<int32_t>(9, 0)},  // half an entry
      {good.substr(0, 40) + "garbage 1 2 3", {300, 200, 100, 0, 0, 0, 0, 0, 0}},  // three whole entries
      {"99999999999999999999 1 2 3", std::vector<int32_t>(9, 0)},
  };
  for (const auto& c : cases) {
    WriteFile(dir / "s", c.text);
    HighScoreTable table;
    EXPECT_TRUE(table.Load((dir / "s").string()));
    EXPECT_EQ(Scores(table), c.scores);
    ASSERT_TRUE(table.Save((dir / "s").string(), 0));
    HighScoreTable reread;
    ASSERT_TRUE(reread.Load((dir / "s").string()));
    EXPECT_EQ(Scores(reread), Scores(table)) << "the next save writes a well-formed file";
  }
}

TEST(HighScores, WrappedRunScoreEntersAsItsUnsigned16BitValue) {
  const auto path = (MakeTempDir() / "score.dat").string();
  HighScoreTable table;
  table.entries[0].score = 40000;
  ASSERT_TRUE(table.Save(path, static_cast<int16_t>(-30536)));  // 35000 after one wrap
  EXPECT_EQ(table.entries[0].score, 40000);
  EXPECT_EQ(table.entries[1].score, 35000);
}

TEST(HighScores, FailedSaveLeavesTheOldFileByteForByte) {
  const auto dir = MakeTempDir();
  const auto path = (dir / "score.dat").string();
  const std::string old = ScoreFileText({111, 22});
  WriteFile(path, old);
  HighScoreTable table;
  ASSERT_TRUE(table.Load(path));
  // A folder in place of the temporary file makes the write fail midway.
  std::filesystem::create_directory(path + ".tmp");
  EXPECT_FALSE(table.Save(path, 5000));
  EXPECT_EQ(ReadFile(path), old);
  std::filesystem::remove(path + ".tmp");
  // Saving into a folder that does not exist fails cleanly too.
  EXPECT_FALSE(table.Save((dir / "missing" / "score.dat").string(), 5000));
  EXPECT_TRUE(table.Save(path, 5000));
  EXPECT_NE(ReadFile(path), old);
}

}  // namespace
