// The page's test hook (window.kestrovaTest in web/page.js): runs a
// kestrova-sim input script through the game as fast as it can and answers
// with kestrova-sim's lines, "FRAME SCREEN PAGEHASH STATEHASH".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/input_script.hpp"

class CGameApp;

namespace platform::web {

inline constexpr int64_t kMaxScriptedCalls = 1000000;

class TestDriver {
 public:
  explicit TestDriver(CGameApp& game) : m_game(game) {}

  // Queues `calls` frames with the script's input, numbered from 1; false
  // with the reason.
  bool Request(std::string_view scriptText, int64_t calls, std::string& error);
  // The whole play state as kestrova-sim --trace prints it.
  std::string Trace() const;
  // The page's calls: Request's reason ("" once queued), Trace; the text
  // lives until the next call.
  const char* ReplyToRun(const char* scriptText, int calls);
  const char* ReplyToTrace();

  bool Pending() const { return m_calls > 0; }
  // Plays the queued frames as kestrova-sim does; false once the game has
  // asked for its window to close.
  bool RunPending();

 private:
  CGameApp& m_game;
  InputScript m_script;
  int64_t m_calls = 0;
  std::string m_reply;
};

}  // namespace platform::web
