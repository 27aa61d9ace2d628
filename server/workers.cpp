#include "workers.hpp"

#include <unistd.h>

#include <cstdio>

namespace {

// How often an idle worker looks for lapsed leases without being told, and
// how long it waits before connecting again to a database that went away.
constexpr std::chrono::milliseconds kPoll{500};
constexpr std::chrono::milliseconds kReconnect{1000};

class Listener final : public pqxx::notification_receiver {
 public:
  explicit Listener(pqxx::connection_base& connection) : notification_receiver(connection, kJobsChannel) {}
  void operator()(const std::string&, int) override {}
};

std::string HostName() {
  char name[256] = {};
  return gethostname(name, sizeof name - 1) == 0 ? name : "?";
}

}  // namespace

WorkerPool::WorkerPool(WorkerSettings settings) : m_settings(std::move(settings)) {
  const std::string prefix = HostName() + ":" + std::to_string(getpid()) + ":";
  for (int i = 0; i < m_settings.threads; ++i) {
    m_threads.emplace_back([this, name = prefix + std::to_string(i)] { Work(name); });
  }
}

WorkerPool::~WorkerPool() {
  m_stop = true;
  m_wake.notify_all();
  for (std::thread& thread : m_threads) thread.join();
}

void WorkerPool::Pause(std::chrono::milliseconds time) {
  std::unique_lock lock(m_mutex);
  m_wake.wait_for(lock, time, [this] { return m_stop.load(); });
}

void WorkerPool::Work(const std::string& name) {
  while (!m_stop) {
    try {
      pqxx::connection connection(m_settings.conninfo);
      const Listener listener(connection);
      // Listening before looking: a run queued in between still wakes us.
      while (DrainQueue(connection, name)) {
        connection.await_notification(0, std::chrono::microseconds(kPoll).count());
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "kestrova-board: worker %s: %s\n", name.c_str(), e.what());
      Pause(kReconnect);
    }
  }
}

bool WorkerPool::DrainQueue(pqxx::connection& connection, const std::string& name) {
  while (!m_stop) {
    std::optional<Claim> claim;
    {
      pqxx::work work(connection);
      claim = ClaimRun(work, name, m_settings.lease);
      work.commit();
    }
    if (!claim) return true;
    const auto start = std::chrono::steady_clock::now();
    Decision decision;
    if (claim->attempts > m_settings.maxAttempts) {
      decision.reason = "not decided in " + std::to_string(m_settings.maxAttempts) +
                        " attempts: each worker that played it stopped before its end";
    } else {
      decision = VerifyRun(claim->replay, m_settings.dataDir, m_settings.limits);
    }
    pqxx::work work(connection);
    const bool decided = DecideRun(work, *claim, decision);
    work.commit();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (!decided) {
      std::fprintf(stderr, "kestrova-board: run %lld: another worker took it after the lease ran out\n",
                   static_cast<long long>(claim->runId));
    } else if (decision.verified) {
      std::fprintf(stderr, "kestrova-board: run %lld verified: score %lld in %lld frames (%lld ms)\n",
                   static_cast<long long>(claim->runId), static_cast<long long>(decision.score),
                   static_cast<long long>(decision.frames), static_cast<long long>(ms.count()));
    } else {
      std::fprintf(stderr, "kestrova-board: run %lld rejected: %s\n", static_cast<long long>(claim->runId),
                   decision.reason.c_str());
    }
  }
  return false;
}
