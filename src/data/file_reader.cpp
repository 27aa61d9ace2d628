#include "data/file_reader.hpp"

bool FileReader::Open(const std::string& path) {
  m_file.reset(std::fopen(path.c_str(), "rb"));
  m_size = 0;
  m_pos = 0;
  m_failed = false;
  return m_file != nullptr;
}

bool FileReader::Refill() {
  m_pos = 0;
  m_size = 0;
  if (!m_file || m_failed) return false;
  m_size = std::fread(m_block.data(), 1, m_block.size(), m_file.get());
  if (m_size == 0 && std::ferror(m_file.get()) != 0) m_failed = true;
  return m_size != 0;
}

std::string_view FileReader::ReadBlock() {
  if (m_pos >= m_size && !Refill()) return {};
  std::string_view rest(m_block.data() + m_pos, m_size - m_pos);
  m_pos = m_size;
  return rest;
}

int32_t FileReader::Peek() {
  if (m_pos >= m_size && !Refill()) return -1;
  return static_cast<unsigned char>(m_block[m_pos]);
}

int32_t FileReader::Get() {
  const int32_t byte = Peek();
  if (byte >= 0) ++m_pos;
  return byte;
}
