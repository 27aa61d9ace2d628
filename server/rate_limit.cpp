#include "rate_limit.hpp"

#include <arpa/inet.h>

#include <iterator>

namespace {

constexpr std::chrono::seconds kWindow{60};

}  // namespace

bool IsLoopback(std::string_view address) {
  const std::string text(address);
  in_addr v4{};
  if (inet_pton(AF_INET, text.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  if (inet_pton(AF_INET6, text.c_str(), &v6) != 1) return false;
  if (IN6_IS_ADDR_LOOPBACK(&v6)) return true;
  return IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127;
}

std::optional<int64_t> RateLimiter::Refuse(const std::string& address, Clock::time_point now) {
  if (m_perMinute <= 0 || IsLoopback(address)) return std::nullopt;
  const std::lock_guard lock(m_mutex);
  // Addresses gone quiet are forgotten once a window, so that many addresses
  // cost memory for a minute only.
  if (now - m_lastSweep >= kWindow) {
    for (auto i = m_windows.begin(); i != m_windows.end();) {
      i = now - i->second.start >= kWindow ? m_windows.erase(i) : std::next(i);
    }
    m_lastSweep = now;
  }
  Window& window = m_windows[address];
  if (window.count == 0 || now - window.start >= kWindow) window = Window{now, 0};
  if (window.count >= m_perMinute) {
    return std::chrono::ceil<std::chrono::seconds>(window.start + kWindow - now).count();
  }
  ++window.count;
  return std::nullopt;
}
