// Saving a table of scores: merged with the file as it is at that moment,
// under a lock on its folder, and swapped in whole through a private
// temporary file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "data/high_score.hpp"
#include "data/score_file.hpp"

namespace {

std::string Folder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// A descriptor closed on every path out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return m_fd; }
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int m_fd;
};

// The temporary file, removed unless it has been renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& path) : m_name(path + ".XXXXXX"), m_fd(::mkostemp(m_name.data(), O_CLOEXEC)) {
    if (m_fd.Get() < 0) m_name.clear();
  }
  ~TemporaryFile() {
    m_fd.Close();
    if (!m_name.empty()) ::unlink(m_name.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool Created() const { return m_fd.Get() >= 0; }
  int Fd() const { return m_fd.Get(); }
  bool Close() { return m_fd.Close(); }
  bool RenameTo(const std::string& path) {
    if (::rename(m_name.c_str(), path.c_str()) != 0) return false;
    m_name.clear();
    return true;
  }

 private:
  std::string m_name;
  Descriptor m_fd;
};

// A player's own score folder is made on the first save, private to them.
bool MakeFolders(const std::string& folder) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    if (::mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

int OpenFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0 || errno != ENOENT || !MakeFolders(folder)) return fd;
  return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool Fail(const std::string& path, const char* step, std::string& error) {
  error = path + ": " + step + ": " + std::strerror(errno);
  return false;
}

}  // namespace

bool SaveMerged(const std::string& path, const std::function<std::string(const std::string& stored)>& merge,
                std::string& error) {
  // Games that end together take turns: each enters its score into what the
  // one before it wrote.
  const Descriptor folder(OpenFolder(Folder(path)));
  if (folder.Get() < 0) return Fail(path, "open the folder", error);
  while (::flock(folder.Get(), LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    // A file system without locks (some network ones) still gets the score.
    std::fprintf(stderr, "kestrova: warning: cannot lock the folder of %s: %s; saving unlocked\n", path.c_str(),
                 std::strerror(errno));
    break;
  }
  std::ifstream in(path, std::ios::binary);
  const std::string stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  const std::string merged = merge(stored);

  // Never lose stored scores: the old file stays until the new one is whole
  // on disk. The temporary name is new and exclusive, so a link planted in a
  // shared folder is never followed; it keeps the old file's mode.
  TemporaryFile temporary(path);
  if (!temporary.Created()) return Fail(path, "create", error);
  struct stat old{};
  if (::stat(path.c_str(), &old) == 0) ::fchmod(temporary.Fd(), old.st_mode & 07777);
  if (!WriteAll(temporary.Fd(), merged) || ::fsync(temporary.Fd()) != 0) return Fail(path, "write", error);
  if (!temporary.Close()) return Fail(path, "close", error);
  if (!temporary.RenameTo(path)) return Fail(path, "rename", error);
  ::fsync(folder.Get());
  return true;
}

bool HighScoreTable::Save(const std::string& path, int16_t score, std::optional<int16_t> replacing) {
  HighScoreTable now;
  std::string error;
  const bool saved = SaveMerged(
      path,
      [&](const std::string& stored) {
        now.LoadText(stored);
        now.Enter(score, replacing);
        return now.Text();
      },
      error);
  if (saved) *this = now;
  if (!saved) std::fprintf(stderr, "kestrova: cannot save scores to %s\n", error.c_str());
  return saved;
}
