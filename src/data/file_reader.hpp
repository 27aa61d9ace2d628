// Reads a file front to back in blocks: one read call per block, bytes
// handed out one at a time or a block at a time.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class FileReader {
 public:
  // False when the file cannot be opened.
  bool Open(const std::string& path);
  // The next block of the file; empty at the end or after a read error.
  std::string_view ReadBlock();
  // The next byte without taking it; -1 at the end.
  int32_t Peek();
  int32_t Get();
  // True once a read call has failed (as opposed to reaching the end).
  bool Failed() const { return m_failed; }

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  bool Refill();

  std::unique_ptr<std::FILE, Closer> m_file;
  std::array<char, 8192> m_block{};
  size_t m_size = 0;
  size_t m_pos = 0;
  bool m_failed = false;
};
