// The input-script reader over any text: every idle call maps to its run,
// and what it accepts, written back out, reads the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "script_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  InputScript script;
  std::string error;
  if (!ParseInputScript(text, "fuzz.txt", script, error)) {
    FUZZ_CHECK(error.rfind("fuzz.txt:", 0) == 0);
    return 0;
  }
  CheckRuns(script);
  InputScript again;
  FUZZ_CHECK(ParseInputScript(script.Text(), "again.txt", again, error));
  FUZZ_CHECK(SameRuns(script, again));
  return 0;
}
