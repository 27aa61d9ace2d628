// The board's queries, every one parameterised, and the connections the HTTP
// handlers share. PostgreSQL is the only thing servers and workers share.
#pragma once

#include <pqxx/pqxx>

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kJobsChannel = "kestrova_board_jobs";

struct NewRun {
  std::string address;
  std::string name;  // the replay's player line; empty: none
  std::string difficulty;
  int64_t frames = 0;
  std::string replay;
};

struct RunRecord {
  int64_t id = 0;
  std::string status;
  std::optional<int64_t> score;
  std::string rules;
  std::string difficulty;
  int64_t frames = 0;  // claimed while queued; played once decided
  std::string reason;
};

struct BoardEntry {
  int64_t rank = 0;
  std::string name;
  int64_t score = 0;
  int64_t id = 0;
};

// A worker's hold on a run: valid while its attempt is the job's last.
struct Claim {
  int64_t runId = 0;
  int attempts = 0;
  std::string replay;
};

struct Decision {
  bool verified = false;
  int64_t score = 0;
  int64_t frames = 0;
  std::string name;  // found in play (the initials entered); empty: keep the sent one
  std::string reason;
};

// The run stored and queued, the workers woken; its id.
int64_t InsertRun(pqxx::work& work, const NewRun& run);
int64_t QueuedRuns(pqxx::work& work);
std::optional<RunRecord> FindRun(pqxx::work& work, int64_t id);
std::optional<std::string> FindReplay(pqxx::work& work, int64_t id);
std::vector<BoardEntry> Board(pqxx::work& work, const std::string& difficulty, int64_t limit);
// The oldest run no worker holds, held now by `worker` until the lease ends.
std::optional<Claim> ClaimRun(pqxx::work& work, const std::string& worker, std::chrono::milliseconds lease);
// False when another worker has taken the run since (the lease ran out):
// then nothing is written, so that each run is decided once.
bool DecideRun(pqxx::work& work, const Claim& claim, const Decision& decision);

// Connections for the handlers, made as needed; a broken one is dropped.
class ConnectionPool {
 public:
  explicit ConnectionPool(std::string conninfo) : m_conninfo(std::move(conninfo)) {}
  template <typename F>
  auto Run(F&& use) {
    std::unique_ptr<pqxx::connection> connection = Take();
    pqxx::work work(*connection);
    auto result = use(work);
    work.commit();
    Give(std::move(connection));
    return result;
  }

 private:
  std::unique_ptr<pqxx::connection> Take();
  void Give(std::unique_ptr<pqxx::connection> connection);
  const std::string m_conninfo;
  std::mutex m_mutex;
  std::vector<std::unique_ptr<pqxx::connection>> m_idle;
};
