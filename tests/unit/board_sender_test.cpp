// Runs sent to a board from the desktop: kept whole in the outbox first, kept
// on when the board cannot take them, dropped with its reason when it refuses
// them. A board on loopback answers as told; the board tests send for real.
#include <gtest/gtest.h>
#include <httplib.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/board_sender.hpp"
#include "test_support.hpp"

namespace {

namespace sdl = platform::sdl;
using testing_support::ReadFile;

std::vector<std::string> KeptTexts(const std::string& folder) {
  std::vector<std::string> texts;
  for (const std::string& path : sdl::Outbox(folder).Kept()) texts.push_back(ReadFile(path));
  return texts;
}

TEST(BoardSender, RunsAreKeptWholeOldestFirstAndOnlyThoseABoardRefusesDropped) {
  EXPECT_EQ(sdl::OutboxFolder("relative", "/home/p"), "/home/p/.local/share/kestrova/outbox");
  const std::filesystem::path dir = testing_support::MakeTempDir();
  sdl::Outbox outbox((dir / "outbox").string());
  std::string error;
  for (const char* text : {"first\n", "second\n"}) ASSERT_NE(outbox.Keep(text, error), "") << error;
  testing_support::WriteFile(dir / "outbox" / "run-0.part", "half");  // the game stopped while writing
  EXPECT_EQ(KeptTexts(outbox.Folder()), (std::vector<std::string>{"first\n", "second\n"}));
  testing_support::WriteFile(dir / "file", "");
  EXPECT_EQ(sdl::Outbox((dir / "file" / "outbox").string()).Keep("run", error), "");
  EXPECT_EQ(error.find((dir / "file" / "outbox").string() + ": "), 0u) << error;

  // A 503 and a 429 keep the run for a later start; a 400 drops it, with the board's reason.
  httplib::Server server;
  int status = 503;
  std::string answer = R"({"error":"the queue is full"})";
  server.Post("/k/api/runs", [&](const httplib::Request&, httplib::Response& res) {
    res.status = status;
    res.set_content(answer, "application/json");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread listening([&] { server.listen_after_bind(); });
  const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/k/";
  const std::string folder = (testing_support::MakeTempDir() / "outbox").string();
  std::vector<std::string> said;
  const auto send = [&](const std::string& run) {
    sdl::BoardSender sender(address, sdl::Outbox(folder), [&](const std::string& text) { said.push_back(text); });
    sender.Send(run);
    sender.Drain();
  };
  send("busy\n");
  status = 429;
  send("limited\n");
  ASSERT_EQ(said.size(), 3u);
  EXPECT_EQ(said[0], "warning: cannot send the run to the board at " + address +
                         " (503: the queue is full); it is kept in " + folder + " and sent at a later start");
  EXPECT_EQ(KeptTexts(folder), (std::vector<std::string>{"busy\n", "limited\n"}));
  status = 400;
  answer = R"j({"error":"recorded on other data (\"x\")"})j";
  said.clear();
  send("refused\n");
  EXPECT_EQ(said.back(), "the board at " + address +
                             " refused the run (400: recorded on other data (\"x\")); it is not sent again");
  EXPECT_TRUE(KeptTexts(folder).empty()) << "the kept ones were refused at this start too";
  server.stop();
  listening.join();
}

}  // namespace
