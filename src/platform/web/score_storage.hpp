// The score file lives in the browser's localStorage, under its own path as
// the key and in its own text, always as a whole: the game reads and saves
// the file in the virtual file system as on the desktop, and the page's
// storage is copied in before start-up and out after the game's save.
#pragma once

#include <string>

namespace platform::web {

// The stored table into `path`; nothing stored leaves no file.
void RestoreScoreFile(const std::string& path);
// The whole file at `path` into storage; a missing file changes nothing.
void KeepScoreFile(const std::string& path);

}  // namespace platform::web
