// settings.ini over any text: every warning names the file, no key ends up
// with two actions, and the controls written back read back the same.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/controls.hpp"
#include "fuzz_check.hpp"

namespace {

// Any name a line can hold as one of several, spelt as it is.
std::optional<std::string> AnyName(std::string_view name) {
  if (name.empty() || name == "none" || name.front() == ' ' || name.back() == ' ' ||
      name.find(", ") != std::string_view::npos) {
    return std::nullopt;
  }
  return std::string(name);
}

Controls Read(std::string_view text, const std::string& path) {
  std::vector<std::string> warnings;
  const Controls controls = ReadControls(SettingsFile::Parse(text, path, warnings), path, {AnyName, AnyName}, warnings);
  for (const std::string& warning : warnings) FUZZ_CHECK(warning.rfind(path + ":", 0) == 0);
  return controls;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Controls controls = Read(text, "fuzz.ini");
  for (const Bindings* device : {&controls.keyboard, &controls.gamepad}) {
    for (size_t action = 0; action < kGameActions; ++action) {
      for (const std::string& name : device->names[action]) {
        FUZZ_CHECK(device->ActionOf(name) == static_cast<GameAction>(action));
      }
    }
  }
  std::vector<std::string> ignored;
  SettingsFile file = SettingsFile::Parse(text, "fuzz.ini", ignored);
  WriteControls(controls, file);
  FUZZ_CHECK(Read(file.Text(), "again.ini") == controls);
  return 0;
}
