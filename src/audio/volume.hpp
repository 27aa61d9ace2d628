// The player's volume and what the player's keys do to it, on the desktop and
// in the browser. These keys are not game input: replays never see them.
#pragma once

#include <cstdint>

struct PlayerVolume {
  static constexpr int32_t kFull = 100;  // percent of the music's and the effects' loudness

  int32_t percent = kFull;
  bool muted = false;  // silent, the percent kept for unmuting

  bool operator==(const PlayerVolume&) const = default;
};

// `volume` after a key, named by the character it gives (each backend maps its
// own keys onto these): M mutes and unmutes on a fresh press, - and + (or =)
// step the volume by a tenth, from 0 to full, and unmute; any other key leaves it.
PlayerVolume AfterVolumeKey(PlayerVolume volume, char32_t key, bool repeat);
