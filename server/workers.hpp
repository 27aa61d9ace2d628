// Threads that claim queued runs and decide them. Each holds a lease on the
// run it plays: a worker killed mid-run loses nothing, since when its lease
// runs out another worker, here or on any host sharing the database, takes
// the run again. NOTIFY wakes them as runs come; a poll catches lapsed leases.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "verifier.hpp"

struct WorkerSettings {
  std::string conninfo;
  std::string dataDir;
  int threads = 1;
  std::chrono::milliseconds lease{};
  VerifyLimits limits;
  // A run whose lease ran out this often (its workers died playing it) is
  // rejected rather than taken again.
  int maxAttempts = 3;
};

class WorkerPool {
 public:
  explicit WorkerPool(WorkerSettings settings);
  ~WorkerPool();  // stops: each thread ends after the run it plays
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

 private:
  void Work(const std::string& name);
  // Decides runs until none is queued; false once stopping.
  bool DrainQueue(pqxx::connection& connection, const std::string& name);
  void Pause(std::chrono::milliseconds time);

  const WorkerSettings m_settings;
  std::atomic<bool> m_stop{false};
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::vector<std::thread> m_threads;
};
