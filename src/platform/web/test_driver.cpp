#include "platform/web/test_driver.hpp"

#include <emscripten/emscripten.h>

#include "app/game_app.hpp"
#include "app/state_report.hpp"
#include "platform/web/browser.hpp"

namespace platform::web {

bool TestDriver::Request(std::string_view scriptText, int64_t calls, std::string& error) {
  if (m_calls > 0) {
    error = "a script is still running";
    return false;
  }
  if (calls < 1 || calls > kMaxScriptedCalls) {
    error = "the number of idle calls must be 1 to " + std::to_string(kMaxScriptedCalls);
    return false;
  }
  InputScript script;
  if (!ParseInputScript(scriptText, "script", script, error)) return false;
  m_script = std::move(script);
  m_calls = calls;
  return true;
}

std::string TestDriver::Trace() const {
  return TracePlayState(m_game.State(), m_game.LastFrame().sounds);
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

// Step for step what kestrova-sim does with the same script.
bool TestDriver::RunPending() {
  std::string output;
  bool open = true;
  for (int64_t call = 1; call <= m_calls && open; ++call) {
    open = m_game.OnIdle(m_script.InputAt(call)) != 0;
    const FrameOutput& frame = m_game.LastFrame();
    output += FrameLine(call, frame.screen, frame.page, m_game.State());
  }
  m_calls = 0;
  browser::FinishTestRun(output);
  return open;
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
