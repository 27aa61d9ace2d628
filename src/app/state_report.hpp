// What a scripted run reports of a game after each idle call: the hash of the
// play state, its trace, and the line that joins them to the page's hash.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "audio/effects.hpp"
#include "game/play_state.hpp"

// 64-bit FNV-1a over every visited value.
uint64_t HashPlayState(const PlayState& state);
// One line of JSON, floats printed with %.9g, and last the names of the
// effects the frame started, as "sounds".
std::string TracePlayState(const PlayState& state, const FrameSounds& sounds);
// "CALL SCREEN PAGEHASH STATEHASH\n", SCREEN as it was before the call.
std::string FrameLine(int64_t call, const char* screen, std::span<const uint8_t> page, const PlayState& state);
