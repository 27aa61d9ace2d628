#include "store.hpp"

#include <utility>

namespace {

RunRecord ReadRun(const pqxx::row& row) {
  RunRecord run;
  run.id = row["id"].as<int64_t>();
  run.status = row["status"].as<std::string>();
  if (!row["score"].is_null()) run.score = row["score"].as<int64_t>();
  run.rules = row["rules"].as<std::string>();
  run.difficulty = row["difficulty"].as<std::string>();
  run.frames = row["frames"].as<int64_t>();
  run.reason = row["reason"].is_null() ? "" : row["reason"].as<std::string>();
  return run;
}

}  // namespace

int64_t InsertRun(pqxx::work& work, const NewRun& run) {
  const pqxx::row row = work.exec_params1(
      "INSERT INTO runs (address, name, rules, difficulty, claimed_frames, replay) "
      "VALUES ($1, $2, 'arcade', $3, $4, $5) RETURNING id",
      run.address, run.name, run.difficulty, run.frames, run.replay);
  const auto id = row[0].as<int64_t>();
  work.exec_params0("INSERT INTO jobs (run_id) VALUES ($1)", id);
  // Delivered when the transaction commits.
  work.exec_params("SELECT pg_notify($1, '')", kJobsChannel);
  return id;
}

int64_t QueuedRuns(pqxx::work& work) { return work.exec("SELECT count(*) FROM jobs")[0][0].as<int64_t>(); }

std::optional<RunRecord> FindRun(pqxx::work& work, int64_t id) {
  const pqxx::result rows = work.exec_params(
      "SELECT id, status, score, rules, difficulty, coalesce(frames, claimed_frames) AS frames, reason "
      "FROM runs WHERE id = $1",
      id);
  if (rows.empty()) return std::nullopt;
  return ReadRun(rows[0]);
}

std::optional<std::string> FindReplay(pqxx::work& work, int64_t id) {
  const pqxx::result rows = work.exec_params("SELECT replay FROM runs WHERE id = $1", id);
  if (rows.empty()) return std::nullopt;
  return rows[0][0].as<std::string>();
}

std::vector<BoardEntry> Board(pqxx::work& work, const std::string& difficulty, int64_t limit) {
  // Equal scores: the one sent first ranks higher.
  const pqxx::result rows = work.exec_params(
      "SELECT row_number() OVER (ORDER BY score DESC, id) AS rank, CASE WHEN name = '' THEN 'anonymous' "
      "ELSE name END AS name, score, id FROM runs WHERE status = 'verified' AND rules = 'arcade' AND "
      "difficulty = $1 ORDER BY score DESC, id LIMIT $2",
      difficulty, limit);
  std::vector<BoardEntry> entries;
  for (const pqxx::row& row : rows) {
    entries.push_back({row["rank"].as<int64_t>(), row["name"].as<std::string>(), row["score"].as<int64_t>(),
                       row["id"].as<int64_t>()});
  }
  return entries;
}

std::optional<Claim> ClaimRun(pqxx::work& work, const std::string& worker, std::chrono::milliseconds lease) {
  const pqxx::result rows = work.exec_params(
      "UPDATE jobs SET lease_until = clock_timestamp() + $2 * interval '1 millisecond', worker = $1, "
      "attempts = attempts + 1 WHERE run_id = (SELECT run_id FROM jobs WHERE lease_until IS NULL OR "
      "lease_until < clock_timestamp() ORDER BY run_id LIMIT 1 FOR UPDATE SKIP LOCKED) "
      "RETURNING run_id, attempts, (SELECT replay FROM runs WHERE id = run_id)",
      worker, static_cast<int64_t>(lease.count()));
  if (rows.empty()) return std::nullopt;
  return Claim{rows[0][0].as<int64_t>(), rows[0][1].as<int>(), rows[0][2].as<std::string>()};
}

bool DecideRun(pqxx::work& work, const Claim& claim, const Decision& decision) {
  const pqxx::result held =
      work.exec_params("DELETE FROM jobs WHERE run_id = $1 AND attempts = $2 RETURNING run_id", claim.runId,
                       claim.attempts);
  if (held.empty()) return false;
  // A rejected run has no score.
  work.exec_params0(
      "UPDATE runs SET status = $2, score = CASE WHEN $2 = 'verified' THEN $3::bigint END, frames = $4, reason = $5, verdicts = verdicts + 1, "
      "attempts = $7, decided = now(), name = CASE WHEN name = '' THEN $6 ELSE name END WHERE id = $1",
      claim.runId, decision.verified ? "verified" : "rejected", decision.score, decision.frames, decision.reason,
      decision.name, claim.attempts);
  return true;
}

std::unique_ptr<pqxx::connection> ConnectionPool::Take() {
  {
    const std::lock_guard lock(m_mutex);
    if (!m_idle.empty()) {
      std::unique_ptr<pqxx::connection> connection = std::move(m_idle.back());
      m_idle.pop_back();
      if (connection->is_open()) return connection;
    }
  }
  return std::make_unique<pqxx::connection>(m_conninfo);
}

void ConnectionPool::Give(std::unique_ptr<pqxx::connection> connection) {
  const std::lock_guard lock(m_mutex);
  m_idle.push_back(std::move(connection));
}
