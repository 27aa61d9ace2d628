// One POST over HTTP or HTTPS with libcurl, bounded in time and breakable
// from another thread.
#pragma once

#include <atomic>
#include <string>

namespace platform::sdl {

struct HttpAnswer {
  long status = 0;     // 0: no answer came (no network, nobody listening, cut off)
  std::string body;    // the answer's first bytes
  std::string error;   // with no answer, why not
};

// Starts and ends libcurl's global state: one for the program, before any thread posts.
class HttpSession {
 public:
  HttpSession();
  ~HttpSession();
  HttpSession(const HttpSession&) = delete;
  HttpSession& operator=(const HttpSession&) = delete;
};

// `body` as text to `url`; `stop` set breaks it off, as no answer.
HttpAnswer PostText(const std::string& url, const std::string& body, const std::atomic<bool>& stop);

}  // namespace platform::sdl
