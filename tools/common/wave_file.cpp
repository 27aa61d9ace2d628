#include "common/wave_file.hpp"

#include "common/byte_file.hpp"

namespace tools {
namespace {

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWave(const char* tool, const std::string& path, const std::vector<uint8_t>& samples, uint32_t sampleRate) {
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
  return WriteWholeFile(tool, path, out);
}

}  // namespace tools
