// The score tables and their files: the reading and the order of the ten best
// and of the arcade's runs with initials, and saves that keep the old file
// whole when they fail, follow no planted link, let games ending at once each
// keep their score and, killed at any moment, leave exactly the table of the
// last save that finished or of the one after it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <deque>
#include <filesystem>
#include <iterator>
#include <optional>
#include <vector>

#include "data/arcade_table.hpp"
#include "data/high_score.hpp"
#include "test_support.hpp"

extern char** environ;

namespace {

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::ScoreFileText;
using testing_support::WriteFile;

std::vector<int32_t> Scores(const HighScoreTable& t) {
  std::vector<int32_t> s;
  for (size_t i = 0; i < 9; ++i) s.push_back(t.entries[i].score);
  return s;
}

TEST(HighScores, ReadsNineMaskedEntriesKeepsWhatAGarbledFileHoldsAndSortsASavedScoreIn) {
  const auto dir = MakeTempDir();
  HighScoreTable table;
  table.entries[9].score = 4242;
  EXPECT_FALSE(table.Load((dir / "absent").string()));

  std::string text = ScoreFileText({7, 6, 5, 4, 3, 2, 1, 0, 9}, ' ');
  text += "12345 67890\n";  // past the 36th number: ignored
  WriteFile(dir / "a", text);
  ASSERT_TRUE(table.Load((dir / "a").string()));
  EXPECT_EQ(Scores(table), (std::vector<int32_t>{7, 6, 5, 4, 3, 2, 1, 0, 9}));
  EXPECT_EQ(table.entries[9].score, 4242) << "entry 9 is never read";
  EXPECT_EQ(table.entries[4].extra[1], 2);

  // The further values are 16-bit: a stored 70000 ^ mask keeps its low 16 bits.
  HighScoreTable wide;
  wide.LoadText(std::to_string(0 ^ 0x5E) + " " + std::to_string(70000 ^ 0x5E) + " -1 -2\n");
  EXPECT_EQ(wide.entries[0].extra[0], static_cast<int16_t>(70000));
  EXPECT_EQ(wide.entries[0].extra[1], static_cast<int16_t>(-1 ^ 0x5E));

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
    HighScoreTable garbled;
    EXPECT_TRUE(garbled.Load((dir / "s").string()));
    EXPECT_EQ(Scores(garbled), c.scores);
  }

  // The run's score sorted in among the eight best, in the place of the same
  // run's earlier entry when it was entered before.
  const std::vector<int32_t> full = {900, 800, 700, 600, 500, 400, 300, 200, 100};
  const struct {
    std::vector<int32_t> stored;
    int16_t run;
    std::optional<int16_t> replacing;
    std::vector<int32_t> after;
  } saves[] = {
      {full, 250, {}, {900, 800, 700, 600, 500, 400, 300, 250, 200}},
      {full, 50, {}, {900, 800, 700, 600, 500, 400, 300, 200, 50}},
      {full, 1000, {}, {1000, 900, 800, 700, 600, 500, 400, 300, 200}},
      {{40000}, -30536, {}, {40000, 35000}},  // 35000 after one 16-bit wrap
      {{40000, 35000}, 500, -30536, {40000, 500}},
      {full, 600, 500, {900, 800, 700, 600, 600, 400, 300, 200, 100}},
      {full, 150, 50, {900, 800, 700, 600, 500, 400, 300, 200, 150}},  // 50 was pushed out: enters as any
  };
  const auto path = (dir / "score.dat").string();
  for (const auto& c : saves) {
    WriteFile(path, ScoreFileText(c.stored));
    HighScoreTable saved;
    ASSERT_TRUE(saved.Save(path, c.run, c.replacing));
    EXPECT_EQ(ReadFile(path), ScoreFileText(c.after)) << "run " << c.run;
    EXPECT_EQ(saved.Text(), ScoreFileText(c.after)) << "run " << c.run;
  }
}

size_t OpenDescriptors() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

TEST(HighScores, AFailedSaveLeavesTheOldFileAndNoSaveWritesThroughAPlantedLink) {
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

  // Links planted in a shared folder, where a save might write: at the names a
  // save could be expected to use, and at the score file itself. The save
  // writes none of their targets.
  const auto shared = MakeTempDir();
  const auto victims = MakeTempDir();
  const std::vector<std::string> names = {"score.dat", "score.dat.tmp", "score.dat.lock", "score.dat.new",
                                          "score.dat~", "score.dat.XXXXXX", ".score.dat"};
  for (const std::string& name : names) {
    WriteFile(victims / name, "precious " + name);
    std::filesystem::create_symlink(victims / name, shared / name);
  }
  ASSERT_TRUE(table.Save((shared / "score.dat").string(), 700));
  for (const std::string& name : names) EXPECT_EQ(ReadFile(victims / name), "precious " + name) << name;
  EXPECT_EQ(ReadFile(shared / "score.dat"), ScoreFileText({700}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shared), {}),
            static_cast<std::ptrdiff_t>(names.size()));
}

// The arcade's best runs of a difficulty with their initials, saved the same way.
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
  } bad[] = {{"0 AAA\n", "t:1:"}, {"99999999999 AAA\n", "t:1:"}, {"500 AAAA\n", "t:1:"}, {"AAA 500\n", "t:1:"},
             {"90fffffffffffffffffffff00 XYZ\n", "t:1:"}, {"500 AAA\n12 ab\n", "t:2:"}};
  for (const auto& c : bad) {
    EXPECT_FALSE(read.Parse(c.text, "t", error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
  EXPECT_EQ(read.Text(), "500 AAA\n") << "what came before the last one's bad line is kept";
  ASSERT_TRUE(read.Parse("2147483647 TOP\n", "t", error)) << "the highest 32-bit score: " << error;

  // A save enters into the file as it stands then; a garbled file keeps its good lines.
  const std::string path = (MakeTempDir() / "scores" / "arcade-normal.dat").string();
  testing::internal::CaptureStderr();
  ASSERT_TRUE(SaveArcadeEntry(path, {700, {'Z', 'O', 'E'}}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the folder was locked, the save said nothing";
  WriteFile(path, ReadFile(path) + "250 BOB\nnot a line\n800 LAST\n");
  testing::internal::CaptureStderr();
  ASSERT_TRUE(SaveArcadeEntry(path, {400, {'A', 'N', 'N'}}));
  EXPECT_NE(testing::internal::GetCapturedStderr().find(path + ":3:"), std::string::npos);
  EXPECT_EQ(ReadFile(path), "700 ZOE\n400 ANN\n250 BOB\n");
}

// The score saver of tests/support on `path`, COUNT and SCORE as it takes
// them, `start` (a pipe's read end) as its input; it reports each save.
class Saver {
 public:
  Saver(const std::string& path, std::vector<std::string> arguments, int start = -1) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (start >= 0) posix_spawn_file_actions_adddup2(&actions, start, STDIN_FILENO);
    arguments.insert(arguments.begin(), {KESTROVA_SCORE_SAVER, path});
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&m_pid, KESTROVA_SCORE_SAVER, &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    m_out = out[0];
  }
  ~Saver() {
    Kill();
    ::close(m_out);
  }
  bool Started() const { return m_pid > 0 && m_out >= 0; }
  // Reads on until `saves` saves have been reported; false at the end of the
  // output or when nothing comes for 20 s.
  bool ReadUntil(int saves) {
    char c = 0;
    for (pollfd p{m_out, POLLIN, 0}; m_saves < saves; m_saves += c == '\n') {
      if (::poll(&p, 1, 20000) != 1 || ::read(m_out, &c, 1) != 1) return false;
    }
    return true;
  }
  // Every save reported until the saver ends.
  int Count() {
    ReadUntil(INT_MAX);
    return m_saves;
  }
  void Kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }

 private:
  pid_t m_pid = -1;
  int m_out = -1;
  int m_saves = 0;
};

// Eight games ending at once, again and again: each score is in the table,
// whatever order the saves take.
TEST(ScoreFile, SaversAtOnceEachKeepTheirScore) {
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string path = (MakeTempDir() / "score.dat").string();
    int start[2];
    ASSERT_EQ(::pipe2(start, O_CLOEXEC), 0);
    std::vector<int32_t> scores;
    std::deque<Saver> savers;
    for (int i = 0; i < 8; ++i) {
      scores.push_back(100 + (i * 37 + round * 11) % 97 * 10);
      ASSERT_TRUE(savers.emplace_back(path, std::vector<std::string>{"1", std::to_string(scores.back())}, start[0])
                      .Started());
    }
    ::close(start[0]);
    ::close(start[1]);  // all go
    for (Saver& saver : savers) EXPECT_EQ(saver.Count(), 1);
    std::sort(scores.rbegin(), scores.rend());
    EXPECT_EQ(ReadFile(path), ScoreFileText(scores));
  }
}

// The file after n saves of best + 1 starting from an empty table: scores n,
// n - 1, ... (never below 0) in entries 0 to 8.
std::string TableText(int n) {
  std::vector<int32_t> scores;
  for (int entry = 0; entry < 9 && n - entry > 0; ++entry) scores.push_back(n - entry);
  return ScoreFileText(scores);
}

TEST(ScoreFile, SurvivesSigkillAtAnyMomentOfASave) {
  const std::string path = (MakeTempDir() / "score.dat").string();
  WriteFile(path, TableText(0));
  int state = 0;  // saves the file holds
  for (int kill = 0; kill < 40; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    Saver saver(path, {"200"});  // it ends by itself after these
    ASSERT_TRUE(saver.Started());
    // Killed after 0 to 3 reported saves, then up to 4 ms into the next ones.
    ASSERT_TRUE(saver.ReadUntil(kill % 4));
    for (const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(kill * 389 % 4000);
         std::chrono::steady_clock::now() < until;) {
    }
    saver.Kill();
    const int reported = saver.Count();
    const std::string text = ReadFile(path);
    // The file may have been replaced just before the saver died unreported.
    const int held = state + reported + (text == TableText(state + reported) ? 0 : 1);
    ASSERT_EQ(text, TableText(held)) << "after " << reported << " reported saves from state " << state;
    state = held;
  }
}

}  // namespace
