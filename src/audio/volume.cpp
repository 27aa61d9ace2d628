#include "audio/volume.hpp"

#include <algorithm>
#include <iterator>

namespace {

constexpr int32_t kStep = PlayerVolume::kFull / 10;

struct VolumeKey {
  char32_t key;
  int32_t step;  // 0: the mute switch
};
// Either case of M: the browser names the key as typed, with Shift or Caps Lock.
constexpr VolumeKey kVolumeKeys[] = {{U'm', 0}, {U'M', 0}, {U'-', -kStep}, {U'+', kStep}, {U'=', kStep}};

}  // namespace

PlayerVolume AfterVolumeKey(PlayerVolume volume, char32_t key, bool repeat) {
  const auto* pressed = std::find_if(std::begin(kVolumeKeys), std::end(kVolumeKeys),
                                     [&](const VolumeKey& k) { return k.key == key; });
  if (pressed == std::end(kVolumeKeys)) return volume;
  // A held M would only flicker.
  if (pressed->step == 0) return repeat ? volume : PlayerVolume{volume.percent, !volume.muted};
  return PlayerVolume{std::clamp(volume.percent + pressed->step, int32_t{0}, PlayerVolume::kFull), false};
}
