"""What the player hears, through SDL's disk driver in the real window: the
music exactly while nothing sounds over it, the volley on top once fire is
held, silence with --mute and half the amplitude with --volume 50."""

import os
import struct
import wave

from display_support import (PAGE_HEIGHT, PAGE_WIDTH, Game, close_by_right_click, fail, game_window, hold, poll, run,
                             run_test, wait_for_game_window)

RATE = 8000


def wave_samples(path):
    """An 8-bit wave's samples as the game plays them: (x - 128) * 256."""
    with wave.open(path) as w:
        return [(b - 128) * 256 for b in w.readframes(w.getnframes())]


def listen(kestrova, folder, args, then=lambda audio, wait: None):
    """The 16-bit samples the game wrote, from the first one of the music on,
    and what then(audio) returned; audio() is how many samples are written."""
    raw = os.path.join(folder.path, "audio.raw")
    if os.path.exists(raw):
        os.remove(raw)

    def audio():
        return os.path.getsize(raw) // 2 if os.path.exists(raw) else 0

    def wait(samples):
        poll("%d samples of sound" % samples, lambda: audio() >= samples, timeout=30)

    env = {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": raw}
    with Game(kestrova, ["--window", "--keyboard", "--data", folder.data] + args, folder, env) as game:
        wait_for_game_window(game, PAGE_WIDTH, PAGE_HEIGHT)
        wait(RATE)
        marks = then(audio, wait)
        close_by_right_click(game)
    with open(raw, "rb") as f:
        data = f.read()
    samples = struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])
    first = next((i for i, s in enumerate(samples) if s != 0), len(samples))
    return samples[first:], first, marks


def check_sound(kestrova, _, folder):
    music = wave_samples(os.path.join(folder.source, "assets", "vesk.wav"))
    volley = wave_samples(os.path.join(folder.source, "assets", "sfx", "volley.wav"))
    start = wave_samples(os.path.join(folder.source, "assets", "sfx", "start.wav"))
    # The output's first sound is the music's first sound: what comes before is silence either way.
    opening = next(i for i, v in enumerate(music) if v != 0)

    def at(i):
        return music[(i + opening) % len(music)]

    def play_then_fire(audio, wait):
        window = game_window()
        clicked = audio()
        run(["xdotool", "mousemove", "--window", window.id, "100", "100", "click", "1"])  # play, with its sound
        # The start sound and the limiter's recovery after it are over well within two seconds.
        wait(clicked + 2 * RATE)
        fired = audio()
        hold("space", seconds=0.5)
        wait(audio() + RATE // 2)
        return clicked, fired

    samples, first, (clicked, fired) = listen(kestrova, folder, [], play_then_fire)
    clicked, fired = clicked - first, fired - first
    for i in list(range(clicked)) + list(range(clicked + len(start) + RATE, fired)):
        if samples[i] != at(i):
            fail("sample %d is %d, not the music's %d" % (i, samples[i], at(i)))
    onset = next((i for i in range(fired, len(samples)) if samples[i] != at(i)), None)
    if onset is None:
        fail("holding fire added no sound")
    lead = next(k for k, v in enumerate(volley) if v != 0)
    for k in range(lead, len(volley)):
        i = onset - lead + k
        if abs(at(i) + volley[k]) > 32767:
            break  # from here the limiter shapes the sum
        if samples[i] - at(i) != volley[k]:
            fail("sample %d of the volley's sound is %d over the music, not %d" % (k, samples[i] - at(i), volley[k]))

    samples, _, _ = listen(kestrova, folder, ["--volume", "50"])
    if len(samples) < RATE // 2 or any(s != int(at(i) / 2) for i, s in enumerate(samples)):
        fail("--volume 50 does not play the music at half its amplitude")
    samples, first, _ = listen(kestrova, folder, ["--mute"])
    if samples or first < RATE:
        fail("--mute wrote %d sounding samples out of %d" % (len(samples), first))


if __name__ == "__main__":
    run_test(check_sound)
