#include "platform/sdl/board_sender.hpp"

#include <cstdio>
#include <utility>

#include "app/board_address.hpp"

namespace platform::sdl {

namespace {

// A 4xx is the board's refusal of this run, which sending again would not
// change; but a board taking too many runs or too slow to read one asks for
// it again later.
bool Refused(long status) { return status >= 400 && status < 500 && status != 408 && status != 429; }

// The "error" the board's JSON answer gives, else the answer as it came.
std::string Reason(const std::string& body) {
  constexpr std::string_view kKey = "\"error\":\"";
  const size_t start = body.find(kKey);
  if (start == std::string::npos) return body.substr(0, body.find('\n'));
  std::string reason;
  for (size_t i = start + kKey.size(); i < body.size() && body[i] != '"'; ++i) {
    if (body[i] == '\\' && i + 1 < body.size()) ++i;
    reason += body[i];
  }
  return reason;
}

// "id": N from the board's answer to a run it queued.
std::string RunId(const std::string& body) {
  const size_t at = body.find("\"id\":");
  if (at == std::string::npos) return "";
  const size_t digits = at + 5;
  return body.substr(digits, body.find_first_not_of("0123456789", digits) - digits);
}

}  // namespace

void BoardSender::ToStandardError(const std::string& text) { std::fprintf(stderr, "kestrova: %s\n", text.c_str()); }

BoardSender::BoardSender(std::string address, Outbox outbox, Say say)
    : m_address(std::move(address)), m_outbox(std::move(outbox)), m_say(std::move(say)), m_thread([this] { Work(); }) {}

BoardSender::~BoardSender() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_changed.notify_all();
  m_thread.join();
}

void BoardSender::Send(std::string replayText) {
  {
    std::lock_guard lock(m_mutex);
    m_jobs.push_back(Job{std::move(replayText), ""});
  }
  m_changed.notify_all();
}

void BoardSender::Drain() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void BoardSender::Work() {
  // What earlier starts could not send goes first, oldest first.
  for (const std::string& path : m_outbox.Kept()) {
    Job job{"", path};
    if (!Outbox::Read(path, job.text)) {
      m_say("warning: cannot read the kept run " + path + "; it stays there");
      continue;
    }
    std::lock_guard lock(m_mutex);
    m_jobs.push_back(std::move(job));
  }
  for (;;) {
    Job job;
    {
      std::unique_lock lock(m_mutex);
      m_busy = false;
      m_changed.notify_all();
      m_changed.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
      if (m_jobs.empty()) return;
      job = std::move(m_jobs.front());
      m_jobs.pop_front();
      m_busy = true;
    }
    Deliver(job);
  }
}

void BoardSender::Deliver(Job& job) {
  if (job.kept.empty()) {
    std::string error;
    job.kept = m_outbox.Keep(job.text, error);
    if (job.kept.empty()) m_say("warning: cannot keep the run for later (" + error + "); it is sent now or lost");
  }
  // Once stopping, what waits is only kept: the next start sends it.
  if (m_stop && !job.kept.empty()) return;
  const HttpAnswer answer = PostText(RunsEndpoint(m_address), job.text, m_stop);
  const std::string board = "the board at " + m_address;
  if (answer.status >= 200 && answer.status < 300) {
    const std::string id = RunId(answer.body);
    m_say(board + " took the run" + (id.empty() ? "" : ": run " + id) + ", queued to be verified");
  } else if (Refused(answer.status)) {
    m_say(board + " refused the run (" + std::to_string(answer.status) + ": " + Reason(answer.body) +
          "); it is not sent again");
  } else {
    const std::string why = answer.status == 0 ? answer.error
                                               : std::to_string(answer.status) + ": " + Reason(answer.body);
    m_say("warning: cannot send the run to " + board + " (" + why + "); " +
          (job.kept.empty() ? "it is lost" : "it is kept in " + m_outbox.Folder() + " and sent at a later start"));
    return;
  }
  if (!job.kept.empty()) Outbox::Drop(job.kept);
}

}  // namespace platform::sdl
