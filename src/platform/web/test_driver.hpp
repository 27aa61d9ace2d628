// The page's test hook (window.kestrovaTest in web/page.js): runs a
// kestrova-sim input script through the real message loop as fast as it can
// and answers with kestrova-sim's lines, "FRAME SCREEN PAGEHASH STATEHASH".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/scripted_platform.hpp"
#include "platform/web/web_platform.hpp"

class CGameApp;

namespace platform::web {

inline constexpr int64_t kMaxScriptedCalls = 1000000;

class TestDriver final : public ScriptRunner {
 public:
  // `game` runs on `input`, which stands in front of `platform`.
  void Attach(CGameApp& game, ScriptedPlatform& input, WebPlatform& platform);

  // Queues `calls` idle calls with the script's input, numbered from 1;
  // false with the reason.
  bool Request(std::string_view scriptText, int64_t calls, std::string& error);
  // The whole play state as kestrova-sim --trace prints it.
  std::string Trace() const;
  // The page's calls: Request's reason ("" once queued), Trace; the text
  // lives until the next call.
  const char* ReplyToRun(const char* scriptText, int calls);
  const char* ReplyToTrace();

  bool Pending() const override { return m_calls > 0; }
  void RunPending(WindowHandler& handler, const std::function<bool()>& onIdle) override;

 private:
  CGameApp* m_game = nullptr;
  ScriptedPlatform* m_input = nullptr;
  WebPlatform* m_platform = nullptr;
  int64_t m_calls = 0;
  std::string m_reply;
};

}  // namespace platform::web
