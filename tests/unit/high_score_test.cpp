#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <iterator>
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

TEST(HighScores, WrappedRunScoresAndARunSavedAgain) {
  const auto path = (MakeTempDir() / "score.dat").string();
  WriteFile(path, ScoreFileText({40000}));
  HighScoreTable table;
  ASSERT_TRUE(table.Save(path, static_cast<int16_t>(-30536)));  // 35000 after one wrap
  EXPECT_EQ(Scores(table, 3), (std::vector<int32_t>{40000, 35000, 0}));
  // The same run saved again replaces its earlier entry, not another one.
  ASSERT_TRUE(table.Save(path, 500, static_cast<int16_t>(-30536)));
  EXPECT_EQ(Scores(table, 3), (std::vector<int32_t>{40000, 500, 0}));
  // One pushed out meanwhile leaves nothing to replace: the run enters as any.
  WriteFile(path, ScoreFileText({900, 800, 700, 600, 500, 400, 300, 200, 100}));
  ASSERT_TRUE(table.Save(path, 150, 50));
  EXPECT_EQ(Scores(table), (std::vector<int32_t>{900, 800, 700, 600, 500, 400, 300, 200, 150}));
  EXPECT_EQ(ReadFile(path), ScoreFileText(Scores(table)));
}

size_t OpenDescriptors() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

TEST(HighScores, AFailedSaveLeavesTheOldFileAndNothingElse) {
  const auto dir = MakeTempDir();
  const auto path = (dir / "score.dat").string();
  const std::string old = ScoreFileText({111, 22});
  WriteFile(path, old);
  HighScoreTable table;
  const size_t descriptors = OpenDescriptors();
  // Files may not grow past a few bytes: the write fails midway.
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{10, limit.rlim_max};
  std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = table.Save(path, 5000);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary file stays";
  // A folder that cannot be made (under a file) fails cleanly too.
  EXPECT_FALSE(table.Save((dir / "score.dat" / "kestrova" / "score.dat").string(), 5000));
  EXPECT_EQ(OpenDescriptors(), descriptors) << "the lock and the files are let go";
  EXPECT_TRUE(table.Save(path, 5000));
  EXPECT_EQ(ReadFile(path), ScoreFileText({5000, 111, 22}));
  // Missing folders are made, private to the player.
  const auto fresh = dir / "share" / "kestrova";
  EXPECT_TRUE(table.Save((fresh / "score.dat").string(), 7));
  for (const auto& folder : {fresh.parent_path(), fresh}) {
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all) << folder;
  }
}

// Links planted in a shared folder, where a save might write: at the names a
// save could be expected to use, and at the score file itself. The save
// writes none of their targets.
TEST(HighScores, PlantedLinksAreNeverWrittenThrough) {
  const auto dir = MakeTempDir();
  const auto victims = MakeTempDir();
  const auto path = dir / "score.dat";
  const std::vector<std::string> names = {"score.dat", "score.dat.tmp", "score.dat.lock", "score.dat.new",
                                          "score.dat~", "score.dat.XXXXXX", ".score.dat"};
  for (const std::string& name : names) {
    WriteFile(victims / name, "precious " + name);
    std::filesystem::create_symlink(victims / name, dir / name);
  }
  HighScoreTable table;
  ASSERT_TRUE(table.Save(path.string(), 700));
  for (const std::string& name : names) EXPECT_EQ(ReadFile(victims / name), "precious " + name) << name;
  EXPECT_FALSE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadFile(path), ScoreFileText({700}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), static_cast<std::ptrdiff_t>(names.size()));
}

}  // namespace
