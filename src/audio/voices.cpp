#include "audio/voices.hpp"

#include <algorithm>
#include <iterator>

std::optional<size_t> VoiceToStop(std::span<const size_t> playing, size_t effect) {
  if (static_cast<size_t>(std::count(playing.begin(), playing.end(), effect)) >= kCopiesOfOne) {
    return static_cast<size_t>(std::find(playing.begin(), playing.end(), effect) - playing.begin());
  }
  if (playing.size() >= kVoices) return 0;
  return std::nullopt;
}
