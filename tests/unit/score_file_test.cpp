// The score file between processes: helpers that save at once each keep their
// score, and a helper killed at varied moments of its saves leaves exactly the
// table of the last save that finished or of the one after it, never a partial
// one.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/high_score.hpp"
#include "test_support.hpp"

extern char** environ;

namespace {

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::WriteFile;

constexpr int kKills = 40;
constexpr int kRounds = 30;
constexpr int kSavesPerRun = 200;  // the helper ends by itself after these
constexpr int kTimeoutMs = 20000;

// The file after n saves of best + 1 starting from an empty table: scores n,
// n - 1, ... (never below 0) in entries 0 to 8.
std::string TableText(int n) {
  std::vector<int32_t> scores;
  for (int entry = 0; entry < 9 && n - entry > 0; ++entry) scores.push_back(n - entry);
  return testing_support::ScoreFileText(scores);
}

class Saver {
 public:
  // Saves one above the best again and again; with `score`, saves that once
  // when `start` (a pipe's read end) closes.
  explicit Saver(const std::string& path, std::optional<int> score = std::nullopt, int start = -1) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    if (start >= 0) posix_spawn_file_actions_adddup2(&actions, start, STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    const std::string count = score ? "1" : std::to_string(kSavesPerRun);
    const std::string value = score ? std::to_string(*score) : "";
    std::vector<char*> argv = {const_cast<char*>(KESTROVA_SCORE_SAVER), const_cast<char*>(path.c_str()),
                               const_cast<char*>(count.c_str())};
    if (score) argv.push_back(const_cast<char*>(value.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&m_pid, KESTROVA_SCORE_SAVER, &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    m_out = fds[0];
  }
  ~Saver() {
    Kill();
    if (m_out >= 0) ::close(m_out);
  }

  bool Started() const { return m_pid > 0 && m_out >= 0; }

  // Waits until `saves` saves have been reported; false at the end of the
  // output or after the timeout.
  bool WaitForSaves(int saves) {
    while (m_lines < saves) {
      pollfd p{m_out, POLLIN, 0};
      if (::poll(&p, 1, kTimeoutMs) != 1 || !ReadSome()) return false;
    }
    return true;
  }

  // SIGKILL, then every line written before it; the saves reported in all.
  int KillAndCount() {
    Kill();
    return Count();
  }
  // Every line until the helper ends: the saves it reported.
  int Count() {
    while (ReadSome()) {
    }
    return m_lines;
  }

 private:
  bool ReadSome() {
    char buffer[256];
    const ssize_t n = ::read(m_out, buffer, sizeof buffer);
    if (n <= 0) return false;
    for (ssize_t i = 0; i < n; ++i) m_lines += buffer[i] == '\n' ? 1 : 0;
    return true;
  }
  void Kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
  }

  pid_t m_pid = -1;
  int m_out = -1;
  int m_lines = 0;
};

void SpinFor(std::chrono::microseconds delay) {
  const auto until = std::chrono::steady_clock::now() + delay;
  while (std::chrono::steady_clock::now() < until) {
  }
}

// Eight games ending at once, again and again: each score is in the table,
// whatever order the saves take.
TEST(ScoreFile, SaversAtOnceEachKeepTheirScore) {
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string path = (MakeTempDir() / "score.dat").string();
    int start[2];
    ASSERT_EQ(::pipe2(start, O_CLOEXEC), 0);
    std::vector<int32_t> scores;
    std::vector<std::unique_ptr<Saver>> savers;
    for (int i = 0; i < 8; ++i) {
      scores.push_back(100 + (i * 37 + round * 11) % 97 * 10);
      savers.push_back(std::make_unique<Saver>(path, scores.back(), start[0]));
      ASSERT_TRUE(savers.back()->Started());
    }
    ::close(start[0]);
    ::close(start[1]);  // all go
    for (auto& saver : savers) EXPECT_EQ(saver->Count(), 1);
    std::sort(scores.rbegin(), scores.rend());
    EXPECT_EQ(ReadFile(path), testing_support::ScoreFileText(scores));
  }
}

TEST(ScoreFile, SurvivesSigkillAtAnyMomentOfASave) {
  const auto dir = MakeTempDir();
  const std::string path = (dir / "score.dat").string();
  WriteFile(path, TableText(0));
  int state = 0;  // saves the file holds
  int caughtMidSave = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    Saver saver(path);
    ASSERT_TRUE(saver.Started());
    // Killed after 0 to 3 reported saves, then up to 4 ms into the next ones.
    ASSERT_TRUE(saver.WaitForSaves(kill % 4));
    SpinFor(std::chrono::microseconds(kill * 389 % 4000));
    const int reported = saver.KillAndCount();

    const std::string text = ReadFile(path);
    if (text == TableText(state + reported)) {
      state += reported;
    } else if (text == TableText(state + reported + 1)) {
      // The file was replaced, then the helper died before it could say so.
      state += reported + 1;
      ++caughtMidSave;
    } else {
      FAIL() << "after " << reported << " reported saves from state " << state << " the file holds:\n" << text;
    }
    HighScoreTable table;
    ASSERT_TRUE(table.Load(path));
    EXPECT_EQ(table.entries[0].score, state);
  }
  std::printf("%d kills, %d saves in all, %d between a save's rename and its report\n", kKills, state, caughtMidSave);
}

}  // namespace
