// Runs sent to a board from the desktop: kept whole in the outbox first,
// sent at a later start when the board could not take them, taken out once
// it has queued them or refused them for good. A board on loopback answers
// as it is told.
#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/board_sender.hpp"
#include "platform/sdl/outbox.hpp"
#include "test_support.hpp"

namespace {

namespace sdl = platform::sdl;
using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::WriteFile;

// A board that answers every run with `status` and `body`, and keeps what it was sent.
class LoopbackBoard {
 public:
  LoopbackBoard() {
    m_server.Post("/k/api/runs", [this](const httplib::Request& req, httplib::Response& res) {
      std::lock_guard lock(m_mutex);
      received.push_back(req.body);
      res.status = status;
      res.set_content(body, "application/json");
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    // Stopped before it listens, it would listen on for ever.
    while (!m_server.is_running()) std::this_thread::yield();
  }
  ~LoopbackBoard() {
    m_server.stop();
    m_thread.join();
  }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/k/"; }

  int status = 202;
  std::string body = R"({"id":7,"status":"queued"})";
  std::vector<std::string> received;

 private:
  httplib::Server m_server;
  std::mutex m_mutex;
  int m_port = 0;
  std::thread m_thread;
};

// What a sender said while it sent everything given, then was done.
std::vector<std::string> SendAll(const std::string& address, const std::string& folder,
                                 const std::vector<std::string>& runs) {
  std::vector<std::string> said;
  {
    sdl::BoardSender sender(address, sdl::Outbox(folder), [&](const std::string& text) { said.push_back(text); });
    for (const std::string& run : runs) sender.Send(run);
    sender.Drain();
  }
  return said;
}

std::vector<std::string> KeptTexts(const std::string& folder) {
  std::vector<std::string> texts;
  for (const std::string& path : sdl::Outbox(folder).Kept()) texts.push_back(ReadFile(path));
  return texts;
}

TEST(Outbox, RunsAreKeptWholeOldestFirstAndWhatCannotBeIsNamed) {
  EXPECT_EQ(sdl::OutboxFolder("/x", "/home/p"), "/x/kestrova/outbox");
  EXPECT_EQ(sdl::OutboxFolder("relative", "/home/p"), "/home/p/.local/share/kestrova/outbox");
  EXPECT_EQ(sdl::OutboxFolder("", ""), "");
  const std::filesystem::path dir = MakeTempDir();
  sdl::Outbox outbox((dir / "outbox").string());
  std::string error;
  for (const char* text : {"first\n", "second\n", "third\n"}) ASSERT_NE(outbox.Keep(text, error), "") << error;
  // One the game was stopped in the middle of writing is none of them.
  WriteFile(dir / "outbox" / "run-0.part", "half");
  EXPECT_EQ(KeptTexts(outbox.Folder()), (std::vector<std::string>{"first\n", "second\n", "third\n"}));
  WriteFile(dir / "file", "");
  sdl::Outbox blocked((dir / "file" / "outbox").string());
  EXPECT_EQ(blocked.Keep("run", error), "");
  EXPECT_EQ(error.find((dir / "file" / "outbox").string() + ": "), 0u) << error;
}

// Nobody listening, then a board down: the runs stay, said where; a board
// that takes them at the next start gets them oldest first, and they go.
TEST(BoardSender, RunsTheBoardCannotTakeAreKeptAndSentAtALaterStart) {
  const std::string folder = (MakeTempDir() / "outbox").string();
  std::string nobody;
  {
    const LoopbackBoard gone;
    nobody = gone.Address();
  }
  std::vector<std::string> said = SendAll(nobody, folder, {"run one\n"});
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].find("warning: cannot send the run to the board at " + nobody + " ("), 0u) << said[0];
  EXPECT_NE(said[0].find("; it is kept in " + folder + " and sent at a later start"), std::string::npos) << said[0];
  LoopbackBoard board;
  board.status = 503;
  board.body = R"({"error":"the queue is full"})";
  said = SendAll(board.Address(), folder, {"run two\n"});
  EXPECT_EQ(said.size(), 2u);
  EXPECT_NE(said.back().find("(503: the queue is full)"), std::string::npos) << said.back();
  board.status = 429;  // too many from here: later, too
  SendAll(board.Address(), folder, {});
  EXPECT_EQ(KeptTexts(folder), (std::vector<std::string>{"run one\n", "run two\n"}));
  board.status = 202;
  board.body = R"({"id":7,"status":"queued"})";
  board.received.clear();
  said = SendAll(board.Address(), folder, {});
  EXPECT_EQ(board.received, (std::vector<std::string>{"run one\n", "run two\n"}));
  EXPECT_EQ(said, std::vector<std::string>(2, "the board at " + board.Address() + " took the run: run 7, queued to be verified"));
  EXPECT_TRUE(KeptTexts(folder).empty());
}

// A refusal would not change by sending again: said with the board's reason, and dropped.
TEST(BoardSender, ARunTheBoardRefusesIsDroppedWithItsReason) {
  const std::string folder = (MakeTempDir() / "outbox").string();
  LoopbackBoard board;
  board.status = 400;
  board.body = R"j({"error":"recorded on other data (\"x\")"})j";
  const std::vector<std::string> said = SendAll(board.Address(), folder, {"refused\n"});
  EXPECT_EQ(said, std::vector<std::string>{"the board at " + board.Address() +
                                           " refused the run (400: recorded on other data (\"x\")); it is not sent again"});
  EXPECT_EQ(board.received, std::vector<std::string>{"refused\n"});
  EXPECT_TRUE(KeptTexts(folder).empty());
}

}  // namespace
