#include "platform/web/test_driver.hpp"

#include <emscripten/emscripten.h>

#include "app/game_app.hpp"
#include "app/state_report.hpp"
#include "platform/web/browser.hpp"

namespace platform::web {

void TestDriver::Attach(CGameApp& game, ScriptedPlatform& input, WebPlatform& platform) {
  m_game = &game;
  m_input = &input;
  m_platform = &platform;
}

bool TestDriver::Request(std::string_view scriptText, int64_t calls, std::string& error) {
  if (m_game == nullptr || m_calls > 0) {
    error = m_game == nullptr ? "the game has not started" : "a script is still running";
    return false;
  }
  if (calls < 1 || calls > kMaxScriptedCalls) {
    error = "the number of idle calls must be 1 to " + std::to_string(kMaxScriptedCalls);
    return false;
  }
  InputScript script;
  if (!ParseInputScript(scriptText, "script", script, error)) return false;
  m_input->Restart(std::move(script));
  m_calls = calls;
  return true;
}

std::string TestDriver::Trace() const {
  if (m_game == nullptr) return "{}";
  return TracePlayState(m_game->m_play, m_game->LastSounds());
}

const char* TestDriver::ReplyToRun(const char* scriptText, int calls) {
  m_reply.clear();
  if (!Request(scriptText, calls, m_reply) && m_reply.empty()) m_reply = "refused";
  return m_reply.c_str();
}

const char* TestDriver::ReplyToTrace() {
  m_reply = Trace();
  return m_reply.c_str();
}

// Step for step what kestrova-sim does with the same script: the game's own
// frame and idle call are the loop's `handler` and `onIdle`.
void TestDriver::RunPending(WindowHandler&, const std::function<bool()>&) {
  std::string output;
  for (int64_t call = 1; call <= m_calls && !m_platform->CloseRequested(); ++call) {
    m_input->StepGame(*m_game);
    output += m_input->LastLine(*m_game);
  }
  m_calls = 0;
  browser::FinishTestRun(output);
}

}  // namespace platform::web

// The page calls these with the driver it was given at start-up.
extern "C" {

EMSCRIPTEN_KEEPALIVE const char* kestrova_test_run(platform::web::TestDriver* driver, const char* script, int calls) {
  return driver->ReplyToRun(script, calls);
}

EMSCRIPTEN_KEEPALIVE const char* kestrova_test_trace(platform::web::TestDriver* driver) {
  return driver->ReplyToTrace();
}

}  // extern "C"
