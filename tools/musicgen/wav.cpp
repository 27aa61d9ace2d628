#include "musicgen/wav.hpp"

#include <cstdio>

namespace musicgen {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFFu);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWave(const std::string& path, const std::vector<uint8_t>& samples, uint32_t sampleRate) {
  const uint32_t count = static_cast<uint32_t>(samples.size());
  std::vector<uint8_t> out;
  out.reserve(58 + samples.size() + 1);
  PutTag(out, "RIFF");
  Put32(out, 4 + (8 + 18) + (8 + 4) + 8 + count + (count & 1u));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 18);
  Put16(out, 1);           // PCM
  Put16(out, 1);           // mono
  Put32(out, sampleRate);
  Put32(out, sampleRate);  // bytes per second
  Put16(out, 1);           // block alignment
  Put16(out, 8);           // bits per sample
  Put16(out, 0);           // no extra format bytes
  PutTag(out, "fact");
  Put32(out, 4);
  Put32(out, count);
  PutTag(out, "data");
  Put32(out, count);
  out.insert(out.end(), samples.begin(), samples.end());
  if (count & 1u) out.push_back(128);  // chunks are padded to an even length
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "kestrova-musicgen: cannot write %s\n", path.c_str());
    return false;
  }
  const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  if (std::fclose(file) != 0 || !ok) {
    std::fprintf(stderr, "kestrova-musicgen: error writing %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace musicgen
