// The RIFF/WAVE chunk walk over any resource, asking for every combination
// of out-values.
#include <cstddef>
#include <cstdint>
#include <span>

#include "audio/sound.hpp"
#include "fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> resource(data, size);
  for (int asked = 0; asked < 8; ++asked) {
    WaveFormat format;
    const uint8_t* samples = nullptr;
    uint32_t length = 0;
    const int32_t found = GetWaveResource(resource, (asked & 1) != 0 ? &format : nullptr,
                                          (asked & 2) != 0 ? &samples : nullptr, (asked & 4) != 0 ? &length : nullptr);
    FUZZ_CHECK(found == 0 || found == 1);
    if (found == 0 || samples == nullptr) continue;
    // The samples lie inside the resource, as far as their length says.
    FUZZ_CHECK(samples >= data + 12 && samples <= data + size);
    if ((asked & 4) != 0) {
      FUZZ_CHECK(length <= static_cast<size_t>(data + size - samples));
      unsigned sum = 0;
      for (uint32_t i = 0; i < length; ++i) sum += samples[i];
      static_cast<void>(sum);
    }
  }
  return 0;
}
