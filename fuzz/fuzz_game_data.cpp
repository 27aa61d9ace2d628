// The committed data with one of its files replaced by any bytes (the first
// byte picks which): the game either refuses to start with a message naming
// a data file, and a line inside that file when it names one, or plays a few
// hundred frames of start, fire, moves, bombs and the exit query and back.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "app/headless_core.hpp"
#include "data/tables.hpp"
#include "fuzz_check.hpp"
#include "input/keyboard.hpp"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A folder of the process's own with the committed files in it, gone at exit.
class DataFolder {
 public:
  DataFolder() : m_path("/tmp/kestrova-fuzz-data-" + std::to_string(::getpid())) {
    mkdir(m_path.c_str(), 0700);
    for (const char* name : kDataFiles) Restore(name);
  }
  ~DataFolder() {
    for (const char* name : kDataFiles) std::remove((m_path + "/" + name).c_str());
    rmdir(m_path.c_str());
  }
  void Restore(const char* name) const {
    WriteFile(m_path + "/" + name, ReadFile(std::string(KESTROVA_DATA_DIR) + "/" + name));
  }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// Start, fire, move, bomb, and a trip to the exit query and back.
const std::vector<std::vector<uint8_t>> kKeySets = {
    {VK_SPACE},           {VK_SPACE, VK_LEFT},           {VK_SPACE, VK_UP},
    {VK_SHIFT, VK_RIGHT}, {VK_SPACE, VK_DOWN, VK_RIGHT}, {VK_ESCAPE},
    {VK_SPACE},           {VK_SPACE, VK_LEFT, VK_DOWN},  {VK_UP},
    {VK_SHIFT, VK_SPACE}, {VK_SPACE, VK_RIGHT},          {VK_LEFT}};
constexpr int kFramesPerKeySet = 25;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const DataFolder folder;
  const std::string& dir = folder.Path();
  const char* name = kDataFiles[data[0] % kDataFiles.size()];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  WriteFile(dir + "/" + name, text);
  std::string message;
  std::optional<Core> game = StartHeadlessCore(dir, StartChoices{}, message);
  folder.Restore(name);
  if (!game) {
    static const std::regex kNamed("ERROR DATA LOADING .*/(data\\.csv|Stage1\\.csv|char\\.csv|map\\.dat)(:([0-9]+))?: .+");
    std::smatch match;
    FUZZ_CHECK(std::regex_match(message, match, kNamed));
    // The file named may be another one, whose line names what the replaced one lacks.
    const std::string named = match[1].str() == name ? text : ReadFile(std::string(KESTROVA_DATA_DIR) + "/" + match[1].str());
    int64_t lines = 1;
    for (char c : named) lines += c == '\n' ? 1 : 0;
    FUZZ_CHECK(!match[3].matched || (std::stoll(match[3].str()) >= 1 && std::stoll(match[3].str()) <= lines));
    return 0;
  }
  FrameOutput out;
  for (const std::vector<uint8_t>& keys : kKeySets) {
    FrameInput input;
    for (const uint8_t vk : keys) input.keys[vk] = 0x80;
    for (int frame = 0; frame < kFramesPerKeySet; ++frame) out = game->Step(input);
  }
  FUZZ_CHECK(!out.close && out.page.size() == static_cast<size_t>(PAGE_WIDTH * PAGE_HEIGHT));
  return 0;
}
