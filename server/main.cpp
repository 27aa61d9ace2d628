// kestrova-board: an online board whose every entry is a replay it has played
// to the end with the game's own core. It serves the API and the page, or
// verifies, or both; any number of them share one PostgreSQL database.
#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include "api.hpp"
#include "app/data_places.hpp"
#include "app/replay.hpp"
#include "options.hpp"
#include "schema.hpp"
#include "workers.hpp"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "kestrova-board: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  BoardOptions options;
  std::string message;
  switch (ParseBoardOptions(argc, argv, options, message)) {
    case ParseResult::Exit: return std::fputs(message.c_str(), stdout) >= 0 ? 0 : 1;
    case ParseResult::UsageError: std::fputs(message.c_str(), stderr); return 2;
    case ParseResult::Run: break;
  }
  const DataPlaces places = FindDataPlaces(GatherPlaceFacts(options.dataDir));
  if (places.dataDir.empty()) return Fail(places.problem);
  try {
    pqxx::connection connection(options.db);
    MigrateSchema(connection);
  } catch (const std::exception& e) {
    return Fail(std::string("the database: ") + e.what());
  }

  // The signals are taken by sigwait below, not by whichever thread they land on.
  sigset_t stopping;
  sigemptyset(&stopping);
  sigaddset(&stopping, SIGINT);
  sigaddset(&stopping, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::optional<WorkerPool> workers;
  if (options.workers > 0) {
    workers.emplace(WorkerSettings{options.db, places.dataDir, options.workers, options.lease,
                                   VerifyLimits{options.maxFrames, options.timeCap}});
  }
  ConnectionPool pool(options.db);
  RateLimiter limiter(options.rateLimit);
  GameRules arcade;
  arcade.kind = RulesKind::Arcade;
  const ApiSettings settings{{options.maxBytes, options.maxFrames}, StampFor(places.dataDir, arcade).dataHash,
                             options.queueLimit, options.behindProxy, !options.webDir.empty()};
  httplib::Server server;
  std::thread serving;
  if (!options.listenHost.empty()) {
    AddRoutes(server, pool, limiter, settings);
    if (!options.webDir.empty() && !server.set_mount_point("/play", options.webDir)) {
      return Fail("--web " + options.webDir + ": not a folder");
    }
    const int port = options.listenPort == 0 ? server.bind_to_any_port(options.listenHost)
                                             : (server.bind_to_port(options.listenHost, options.listenPort) ? options.listenPort : -1);
    if (port < 0) return Fail("cannot listen on " + options.listenHost + ":" + std::to_string(options.listenPort));
    std::printf("kestrova-board: listening on %s:%d\n", options.listenHost.c_str(), port);
    std::fflush(stdout);
    serving = std::thread([&server] { server.listen_after_bind(); });
    // A stop before the server runs would be lost.
    for (int wait = 0; !server.is_running() && wait < 5000; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  int signal = 0;
  sigwait(&stopping, &signal);
  std::fprintf(stderr, "kestrova-board: stopping (%s)\n", signal == SIGINT ? "SIGINT" : "SIGTERM");
  server.stop();
  if (serving.joinable()) serving.join();
  return 0;
}
