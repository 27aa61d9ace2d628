#include "board_page.hpp"

namespace {

// Names are letters, digits and "-_. " when they are stored, but the page
// does not count on it.
std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

constexpr const char* kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Kestrova boards</title>
<style>
body { font-family: sans-serif; background: #10141c; color: #e6e6e6; margin: 2em auto; max-width: 60em; }
h1 { font-size: 1.6em; } h2 { font-size: 1.2em; margin-top: 1.5em; }
table { border-collapse: collapse; min-width: 24em; }
td, th { padding: 0.2em 0.8em; text-align: left; } td.n { text-align: right; }
a { color: #8cc8ff; } p.none { color: #999; }
</style>
</head>
<body>
<h1>Kestrova: arcade boards</h1>
<p>Every entry is a run the board played through to its end, with the game's own core, and found to end as
it claimed. Watch any of them.</p>
)";

}  // namespace

std::string BoardPage(const std::vector<std::pair<std::string, std::vector<BoardEntry>>>& boards, bool watchable) {
  std::string page = kHead;
  for (const auto& [difficulty, entries] : boards) {
    page += "<h2 id=\"" + Escaped(difficulty) + "\">" + Escaped(difficulty) + "</h2>\n";
    if (entries.empty()) {
      page += "<p class=\"none\">No runs yet.</p>\n";
      continue;
    }
    page += "<table>\n<tr><th>Rank</th><th>Name</th><th>Score</th><th></th></tr>\n";
    for (const BoardEntry& e : entries) {
      const std::string replay = "/api/runs/" + std::to_string(e.id) + "/replay";
      const std::string link = watchable ? "/play/index.html?replay=" + replay : replay;
      page += "<tr><td class=\"n\">" + std::to_string(e.rank) + "</td><td>" + Escaped(e.name) +
              "</td><td class=\"n\">" + std::to_string(e.score) + "</td><td><a class=\"watch\" href=\"" + link +
              "\">" + (watchable ? "watch" : "replay") + "</a></td></tr>\n";
    }
    page += "</table>\n";
  }
  return page + "</body>\n</html>\n";
}
