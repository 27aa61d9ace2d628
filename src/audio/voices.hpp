// How many sound effects play at once, and which one gives way to a new one.
// The desktop's mixer and the browser's page both follow it.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

// Enough that a screen full of explosions leaves voices for the rest.
inline constexpr size_t kVoices = 8;
// A new start of an effect already playing this often restarts its oldest.
inline constexpr size_t kCopiesOfOne = 2;

// The voice a new start of `effect` stops, among those playing (the effect
// each plays, oldest first): the oldest copy of `effect` once kCopiesOfOne
// play, else the oldest voice once all kVoices do; none while one is free.
std::optional<size_t> VoiceToStop(std::span<const size_t> playing, size_t effect);
