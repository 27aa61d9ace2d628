// Runs kept for a board that could not take them yet: one replay a file in
// $XDG_DATA_HOME/kestrova/outbox (~/.local/share/kestrova/outbox), each
// written whole beside its name and then renamed in, so that a file there is
// always a whole run, whenever the game was stopped.
#pragma once

#include <string>
#include <vector>

namespace platform::sdl {

// The outbox folder; empty when neither XDG_DATA_HOME (an absolute one) nor HOME is set.
std::string OutboxFolder(const std::string& xdgDataHome, const std::string& home);

class Outbox {
 public:
  explicit Outbox(std::string folder) : m_folder(std::move(folder)) {}

  const std::string& Folder() const { return m_folder; }
  // Keeps `text` in a file of its own: its path, or empty with why not in `error`.
  std::string Keep(const std::string& text, std::string& error);
  // The runs kept, oldest first; a file half written is none of them.
  std::vector<std::string> Kept() const;
  // A kept run's text; false when it cannot be read.
  static bool Read(const std::string& path, std::string& text);
  // The run is done with: sent, or refused for good.
  static void Drop(const std::string& path);

 private:
  std::string m_folder;
  unsigned m_kept = 0;  // the count in the next run's name
};

}  // namespace platform::sdl
