// Runs sent to an online board on a thread of their own, so that play never
// waits for the network. Each run is kept in the outbox before it is sent,
// so that none the player chose to send is lost however the game ends, and
// taken out once the board has answered for it: queued, or refused for good
// (a 4xx answer, said with the board's reason). A run the board could not
// take (no network, nobody listening, busy, a 5xx answer) stays there and is
// sent at a later start, with those kept before.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "platform/sdl/http_post.hpp"
#include "platform/sdl/outbox.hpp"

namespace platform::sdl {

class BoardSender {
 public:
  // What the sender has to say, for the player; standard error unless a test listens.
  using Say = std::function<void(const std::string&)>;
  static void ToStandardError(const std::string& text);

  // Starts sending to the board at `address` the runs `outbox` kept before.
  BoardSender(std::string address, Outbox outbox, Say say = ToStandardError);
  // A transfer under way is broken off; its run, and any still waiting, are kept.
  ~BoardSender();
  BoardSender(const BoardSender&) = delete;
  BoardSender& operator=(const BoardSender&) = delete;

  void Send(std::string replayText);
  // Returns once every run given so far, and those kept before, has been
  // sent or kept.
  void Drain();

 private:
  struct Job {
    std::string text;
    std::string kept;  // its file in the outbox, once it has one
  };
  void Work();
  void Deliver(Job& job);

  HttpSession m_session;
  const std::string m_address;
  Outbox m_outbox;
  Say m_say;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<Job> m_jobs;
  bool m_busy = true;  // the kept runs are looked for first
  std::atomic<bool> m_stop{false};
  std::thread m_thread;  // last: it starts once everything it uses is there
};

}  // namespace platform::sdl
