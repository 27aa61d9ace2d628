#include "platform/sdl/http_post.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <memory>

namespace platform::sdl {

namespace {

constexpr long kConnectSeconds = 10;
constexpr long kWholeSeconds = 60;  // a megabyte on a slow line, and the board's answer
constexpr size_t kAnswerBytes = 64 * 1024;  // the board answers in a line of JSON

size_t TakeAnswer(char* data, size_t size, size_t count, void* to) {
  auto& body = *static_cast<std::string*>(to);
  body.append(data, std::min(size * count, kAnswerBytes - std::min(kAnswerBytes, body.size())));
  return size * count;
}

int BreakOff(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const std::atomic<bool>*>(stop)->load() ? 1 : 0;
}

}  // namespace

HttpSession::HttpSession() { curl_global_init(CURL_GLOBAL_DEFAULT); }
HttpSession::~HttpSession() { curl_global_cleanup(); }

HttpAnswer PostText(const std::string& url, const std::string& body, const std::atomic<bool>& stop) {
  HttpAnswer answer;
  const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
      curl_slist_append(nullptr, "Content-Type: text/plain; charset=us-ascii"), curl_slist_free_all);
  if (!curl || !headers) {
    answer.error = "libcurl could not start";
    return answer;
  }
  char reason[CURL_ERROR_SIZE] = {};
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_POSTFIELDS, body.data());
  curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_USERAGENT, "kestrova/" KESTROVA_VERSION);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, TakeAnswer);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &answer.body);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, kWholeSeconds);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);  // off the main thread: no SIGALRM for name lookups
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, BreakOff);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &stop);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, reason);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  if (const CURLcode done = curl_easy_perform(c); done != CURLE_OK) {
    answer.error = reason[0] != '\0' ? reason : curl_easy_strerror(done);
    answer.body.clear();
    return answer;
  }
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &answer.status);
  return answer;
}

}  // namespace platform::sdl
