// Requests per address per minute. Loopback is never limited: the tests and a
// local proxy live there (a proxy names its clients, see --behind-proxy).
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

bool IsLoopback(std::string_view address);

class RateLimiter {
 public:
  using Clock = std::chrono::steady_clock;
  explicit RateLimiter(int perMinute) : m_perMinute(perMinute) {}

  // Nothing when a request from `address` at `now` may go on; else the seconds
  // until its address may ask again.
  std::optional<int64_t> Refuse(const std::string& address, Clock::time_point now);

 private:
  struct Window {
    Clock::time_point start;
    int count = 0;
  };
  const int m_perMinute;
  std::mutex m_mutex;
  std::unordered_map<std::string, Window> m_windows;
  Clock::time_point m_lastSweep{};
};
