#include "api.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "board_page.hpp"
#include "game/rules.hpp"

namespace {

using nlohmann::json;

constexpr int64_t kBoardDefault = 10;
constexpr int64_t kBoardMax = 100;
constexpr int64_t kPageEntries = 20;
constexpr const char* kJson = "application/json";

void Reply(httplib::Response& res, int status, const json& body) {
  res.status = status;
  res.set_content(body.dump(), kJson);
}

void Error(httplib::Response& res, int status, const std::string& error) { Reply(res, status, {{"error", error}}); }

// From a proxy on loopback, the client is the last address the proxy added.
std::string ClientAddress(const httplib::Request& req, bool behindProxy) {
  const std::string forwarded = req.get_header_value("X-Forwarded-For");
  if (!behindProxy || forwarded.empty() || !IsLoopback(req.remote_addr)) return req.remote_addr;
  const size_t comma = forwarded.rfind(',');
  std::string last = forwarded.substr(comma == std::string::npos ? 0 : comma + 1);
  last.erase(0, last.find_first_not_of(' '));
  last.erase(last.find_last_not_of(' ') + 1);
  return last.empty() ? req.remote_addr : last;
}

int64_t RunId(const httplib::Request& req) { return std::strtoll(req.matches[1].str().c_str(), nullptr, 10); }

json RunJson(const RunRecord& run) {
  return {{"id", run.id},
          {"status", run.status},
          {"score", run.score ? json(*run.score) : json(nullptr)},
          {"rules", run.rules},
          {"difficulty", run.difficulty},
          {"frames", run.frames},
          {"reason", run.status == "rejected" ? json(run.reason) : json(nullptr)}};
}

bool IsDifficulty(const std::string& name) { return NameIndex(kDifficultyNames, name).has_value(); }

// The body is read here rather than by httplib, which would refuse a form's
// content type over 8 KB: a replay is taken whatever type a client names.
void PostRun(const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader,
             ConnectionPool& pool, const ApiSettings& settings) {
  if (req.is_multipart_form_data()) {
    res.set_header("Connection", "close");
    return Error(res, 400, "send the replay as the body itself, not as a form");
  }
  std::string body;
  const auto maxBytes = static_cast<size_t>(settings.limits.maxBytes);
  // One byte past the limit is enough to refuse it.
  const bool whole = reader([&](const char* data, size_t length) {
    body.append(data, std::min(length, maxBytes + 1 - body.size()));
    return body.size() <= maxBytes;
  });
  // httplib reads nothing of a body whose length is over the limit.
  const auto declared = std::strtoull(req.get_header_value("Content-Length").c_str(), nullptr, 10);
  if (!whole && body.size() <= maxBytes && declared <= maxBytes) {
    res.set_header("Connection", "close");
    return Error(res, 400, "the body ended before its length");
  }
  if (!whole) {
    res.set_header("Connection", "close");
    return Error(res, 413, "the body is over the " + std::to_string(maxBytes) + " bytes taken");
  }
  Submission submission;
  if (const auto refusal = ParseSubmission(body, settings.limits, settings.dataHash, submission)) {
    return Error(res, refusal->status, refusal->error);
  }
  const NewRun run{ClientAddress(req, settings.behindProxy), submission.replay.player, submission.difficulty,
                   submission.frames, std::move(body)};
  const std::optional<int64_t> id = pool.Run([&](pqxx::work& work) -> std::optional<int64_t> {
    if (QueuedRuns(work) >= settings.queueLimit) return std::nullopt;
    return InsertRun(work, run);
  });
  if (!id) {
    res.set_header("Retry-After", "60");
    return Error(res, 503, "the queue is full: " + std::to_string(settings.queueLimit) +
                               " runs wait to be verified; send it again later");
  }
  res.set_header("Location", "/api/runs/" + std::to_string(*id));
  Reply(res, 202, {{"id", *id}, {"status", "queued"}});
}

void GetBoard(const httplib::Request& req, httplib::Response& res, ConnectionPool& pool) {
  const std::string rules = req.has_param("rules") ? req.get_param_value("rules") : "arcade";
  const std::string difficulty = req.has_param("difficulty") ? req.get_param_value("difficulty") : "normal";
  int64_t limit = kBoardDefault;
  if (req.has_param("limit")) {
    const std::string text = req.get_param_value("limit");
    char* end = nullptr;
    limit = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || limit < 1 || limit > kBoardMax) {
      return Error(res, 400, "limit takes a count from 1 to " + std::to_string(kBoardMax));
    }
  }
  if (rules != "arcade") return Error(res, 400, "the board keeps arcade runs only (rules=arcade)");
  if (!IsDifficulty(difficulty)) return Error(res, 400, "difficulty is easy, normal, hard or expert");
  const auto entries = pool.Run([&](pqxx::work& work) { return Board(work, difficulty, limit); });
  json list = json::array();
  for (const BoardEntry& e : entries) list.push_back({{"rank", e.rank}, {"name", e.name}, {"score", e.score}, {"id", e.id}});
  Reply(res, 200, {{"rules", rules}, {"difficulty", difficulty}, {"entries", list}});
}

}  // namespace

void AddRoutes(httplib::Server& server, ConnectionPool& pool, RateLimiter& limiter, const ApiSettings& settings) {
  server.set_payload_max_length(static_cast<size_t>(settings.limits.maxBytes));
  server.set_pre_routing_handler([&](const httplib::Request& req, httplib::Response& res) {
    const auto wait = limiter.Refuse(ClientAddress(req, settings.behindProxy), std::chrono::steady_clock::now());
    if (!wait) return httplib::Server::HandlerResponse::Unhandled;
    res.set_header("Retry-After", std::to_string(*wait));
    Error(res, 429, "too many requests from this address: try again in " + std::to_string(*wait) + " s");
    return httplib::Server::HandlerResponse::Handled;
  });
  server.Post("/api/runs", [&](const httplib::Request& req, httplib::Response& res, const httplib::ContentReader& reader) {
    PostRun(req, res, reader, pool, settings);
  });
  server.Get(R"(/api/runs/(\d{1,18}))", [&](const httplib::Request& req, httplib::Response& res) {
    const auto run = pool.Run([&](pqxx::work& work) { return FindRun(work, RunId(req)); });
    if (!run) return Error(res, 404, "no run " + req.matches[1].str());
    Reply(res, 200, RunJson(*run));
  });
  server.Get(R"(/api/runs/(\d{1,18})/replay)", [&](const httplib::Request& req, httplib::Response& res) {
    const auto replay = pool.Run([&](pqxx::work& work) { return FindReplay(work, RunId(req)); });
    if (!replay) return Error(res, 404, "no run " + req.matches[1].str());
    res.set_header("Content-Disposition", "inline; filename=\"run-" + req.matches[1].str() + ".krp\"");
    res.set_content(*replay, "text/plain; charset=us-ascii");
  });
  server.Get("/api/board", [&](const httplib::Request& req, httplib::Response& res) { GetBoard(req, res, pool); });
  server.Get("/", [&](const httplib::Request&, httplib::Response& res) {
    std::vector<std::pair<std::string, std::vector<BoardEntry>>> boards;
    pool.Run([&](pqxx::work& work) {
      for (const char* difficulty : kDifficultyNames) boards.emplace_back(difficulty, Board(work, difficulty, kPageEntries));
      return 0;
    });
    res.set_content(BoardPage(boards, settings.watchable), "text/html; charset=utf-8");
  });
  // What httplib answers itself (no such route, a body over the limit) in the API's form.
  server.set_error_handler(httplib::Server::HandlerWithResponse([&](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
    const std::string error = res.status == 413   ? "the body is over the " + std::to_string(settings.limits.maxBytes) + " bytes taken"
                              : res.status == 404 ? "nothing here: see /api/board and /api/runs/ID"
                                                  : "refused (HTTP " + std::to_string(res.status) + ")";
    Error(res, res.status, error);
    return httplib::Server::HandlerResponse::Handled;
  }));
  server.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr error) {
    std::string what = "unknown";
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      what = e.what();
    } catch (...) {
    }
    std::fprintf(stderr, "kestrova-board: %s\n", what.c_str());
    Error(res, 503, "the board's database is not answering; try again later");
  });
}
