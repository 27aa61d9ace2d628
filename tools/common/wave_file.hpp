// RIFF/WAVE output: PCM, mono, 8 bits, with a "fact" chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// "RIFF" len "WAVE", "fmt " (18 bytes), "fact" (4), "data". False (with a
// message naming `tool` on standard error) when the file cannot be written.
bool WriteWave(const char* tool, const std::string& path, const std::vector<uint8_t>& samples, uint32_t sampleRate);

}  // namespace tools
