// Every program-wide object of the running game, visited in one place so the
// state hash, the trace and any later check see the same state.
#pragma once

#include <cstdint>
#include <span>
#include <string>

struct GameState;

class StateVisitor {
 public:
  virtual void Int(const char* name, int64_t value) = 0;
  virtual void Float(const char* name, float value) = 0;
  virtual void BeginGroup(const char* name) = 0;  // a named record
  virtual void EndGroup() = 0;
  virtual void BeginList(const char* name) = 0;  // records in list order
  virtual void EndList() = 0;

 protected:
  ~StateVisitor() = default;
};

void VisitProgramState(StateVisitor& visitor, const GameState& state);
// "title", "play", "clear" or "exit": the screen the next idle call runs.
const char* ScreenName(const GameState& state);
// 64-bit FNV-1a over every visited value.
uint64_t HashProgramState(const GameState& state);
// One line of JSON, floats printed with %.9g.
std::string TraceProgramState(const GameState& state);
// The line a scripted run prints after each idle call, wherever it runs:
// "CALL SCREEN PAGEHASH STATEHASH\n", SCREEN as it was before the call.
std::string FrameLine(int64_t call, const char* screen, std::span<const uint8_t> page, const GameState& state);
