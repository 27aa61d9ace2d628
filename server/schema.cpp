#include "schema.hpp"

#include <array>
#include <stdexcept>
#include <string>

namespace {

// Migration N brings the schema from version N to N + 1; a change adds one, never edits one.
constexpr std::array<const char*, 1> kMigrations = {
    // The runs as sent, what their verification found (verdicts: how often one
    // was written, attempts: how often a worker took the run), and the queue of
    // those to verify: a job's lease says until when a worker holds it.
    R"sql(
    CREATE TABLE runs (
      id bigserial PRIMARY KEY,
      received timestamptz NOT NULL DEFAULT now(),
      address text NOT NULL,
      name text NOT NULL DEFAULT '',
      rules text NOT NULL,
      difficulty text NOT NULL,
      claimed_frames bigint NOT NULL,
      replay text NOT NULL,
      status text NOT NULL DEFAULT 'queued' CHECK (status IN ('queued', 'verified', 'rejected')),
      score bigint,
      frames bigint,
      reason text,
      verdicts integer NOT NULL DEFAULT 0,
      attempts integer NOT NULL DEFAULT 0,
      decided timestamptz
    );
    CREATE INDEX runs_board ON runs (rules, difficulty, score DESC, id) WHERE status = 'verified';
    CREATE TABLE jobs (
      run_id bigint PRIMARY KEY REFERENCES runs (id) ON DELETE CASCADE,
      lease_until timestamptz,
      worker text,
      attempts integer NOT NULL DEFAULT 0
    );
    )sql",
};

// Any number of servers may start at once on one database.
constexpr int64_t kMigrationLock = 0x6b657374726f7661;  // "kestrova"

}  // namespace

int SchemaVersion() { return static_cast<int>(kMigrations.size()); }

void MigrateSchema(pqxx::connection_base& connection) {
  pqxx::work work(connection);
  work.exec_params("SELECT pg_advisory_xact_lock($1)", kMigrationLock);
  work.exec("CREATE TABLE IF NOT EXISTS board_schema (version integer NOT NULL)");
  const pqxx::result rows = work.exec("SELECT version FROM board_schema");
  int version = rows.empty() ? 0 : rows[0][0].as<int>();
  if (version > SchemaVersion()) {
    throw std::runtime_error("the database's board schema is version " + std::to_string(version) +
                             ", newer than this kestrova-board's " + std::to_string(SchemaVersion()));
  }
  if (rows.empty()) work.exec("INSERT INTO board_schema VALUES (0)");
  for (; version < SchemaVersion(); ++version) work.exec(kMigrations[static_cast<size_t>(version)]);
  work.exec_params("UPDATE board_schema SET version = $1", version);
  work.commit();
}
