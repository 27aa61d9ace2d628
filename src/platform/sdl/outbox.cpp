#include "platform/sdl/outbox.hpp"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace platform::sdl {

namespace {

constexpr const char* kRunSuffix = ".krp";
constexpr const char* kPartSuffix = ".part";  // being written; never read as a run

}  // namespace

std::string OutboxFolder(const std::string& xdgDataHome, const std::string& home) {
  // XDG's rule: a relative XDG_DATA_HOME is ignored, as if unset.
  if (xdgDataHome.starts_with('/')) return xdgDataHome + "/kestrova/outbox";
  if (!home.empty()) return home + "/.local/share/kestrova/outbox";
  return "";
}

std::string Outbox::Keep(const std::string& text, std::string& error) {
  if (m_folder.empty()) {
    error = "neither XDG_DATA_HOME nor HOME is set";
    return "";
  }
  std::error_code made;
  fs::create_directories(m_folder, made);
  if (made) {
    error = m_folder + ": " + made.message();
    return "";
  }
  // Named by when it was kept, so that the oldest goes first; the process
  // and a count tell apart runs kept in the same millisecond.
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::system_clock::now().time_since_epoch()).count();
  const std::string stem = m_folder + "/run-" + std::to_string(millis) + "-" + std::to_string(getpid()) + "-";
  const std::string part = stem + kPartSuffix;
  std::ofstream out(part, std::ios::binary | std::ios::trunc);
  out << text;
  out.flush();
  const bool written = static_cast<bool>(out);
  out.close();
  if (!written || !out) {
    error = part + ": " + std::strerror(errno != 0 ? errno : EIO);
    std::remove(part.c_str());
    return "";
  }
  // Linked in whole under a name no other run has: link() never replaces one.
  for (;;) {
    const std::string path = stem + std::to_string(m_kept++) + kRunSuffix;
    if (link(part.c_str(), path.c_str()) == 0) {
      std::remove(part.c_str());
      return path;
    }
    if (errno != EEXIST) {
      error = path + ": " + std::strerror(errno);
      std::remove(part.c_str());
      return "";
    }
  }
}

std::vector<std::string> Outbox::Kept() const {
  std::vector<std::string> runs;
  std::error_code error;
  for (fs::directory_iterator it(m_folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() == kRunSuffix && it->is_regular_file(error)) runs.push_back(it->path().string());
  }
  std::sort(runs.begin(), runs.end());
  return runs;
}

bool Outbox::Read(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

void Outbox::Drop(const std::string& path) { std::remove(path.c_str()); }

}  // namespace platform::sdl
