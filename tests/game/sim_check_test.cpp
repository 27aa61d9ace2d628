// kestrova-sim as a checker: --last prints what the whole run ends with, and
// --verify names every replay whose recorded end differs in any field.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "test_support.hpp"

namespace {

const std::string kScript = std::string(KESTROVA_SOURCE_DIR) + "/tests/scripts/smoke.krp";

using testing_support::RunSim;
using testing_support::SimRun;

std::vector<std::string> Fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

// A run cut anywhere ends on the whole run's line there, though it leaves out
// drawing the pages it does not hash: cut at each change of screen (title,
// play, stage clear, exit query) and the frames on either side, where what
// one frame draws over the last matters. With --trace, --last prints the
// whole run's last line and its trace, past the script's end too.
TEST(SimCheck, LastLineOfARunCutAtAnyScreenChangeIsTheWholeRunsLineAndTrace) {
  size_t changes = 0;
  for (const auto& [name, frames] : {std::pair{"stage_again", 11600}, std::pair{"memcheck", 2000}}) {
    const std::string script = std::string(KESTROVA_SOURCE_DIR) + "/tests/scripts/" + name + ".krp";
    // The whole run, traced: each frame's line, then its trace on a line of its own.
    const std::string traced = "--frames " + std::to_string(frames) + " --input " + script + " --trace";
    std::vector<std::string> lines;
    std::string trace;
    std::istringstream in(RunSim(traced).output);
    for (std::string line; std::getline(in, line) && std::getline(in, trace);) lines.push_back(line + "\n");
    ASSERT_EQ(lines.size(), static_cast<size_t>(frames)) << name;
    std::vector<size_t> cuts = {1, lines.size()};
    for (size_t frame = 2; frame <= lines.size(); ++frame) {
      if (Fields(lines[frame - 1]).at(1) == Fields(lines[frame - 2]).at(1)) continue;
      ++changes;
      for (const size_t cut : {frame - 2, frame - 1, frame, frame + 1}) {
        if (cut >= 1 && cut <= lines.size()) cuts.push_back(cut);
      }
    }
    for (const size_t cut : cuts) {
      EXPECT_EQ(RunSim("--frames " + std::to_string(cut) + " --input " + script + " --last").output, lines[cut - 1])
          << name;
    }
    EXPECT_EQ(RunSim(traced + " --last").output, lines.back() + trace + "\n") << name;
  }
  EXPECT_GE(changes, 7u) << "the scripts no longer change screens often enough";
}

// A plain script beside its .last, as replays were kept before they checked
// themselves: the runs of a replay without its header and check lines.
TEST(SimCheck, VerifyNamesEachScriptEndingOtherwiseThanItsLastLine) {
  const std::filesystem::path dir = testing_support::MakeTempDir();
  std::istringstream replay(testing_support::ReadFile(kScript));
  std::string script, recorded;
  for (std::string line; std::getline(replay, line);) {
    if (line.starts_with("end ")) recorded = line.substr(4);
    if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) script += line + "\n";
  }
  const std::vector<std::string> fields = Fields(recorded);
  ASSERT_EQ(fields.size(), 4u) << recorded;

  // One replay per field of the line altered, in the order given; the
  // untouched one between them must still pass.
  const struct {
    const char* name;
    size_t field;
  } cases[] = {{"screen", 1}, {"page", 2}, {"good", 0}, {"state", 3}};
  std::string arguments = "--verify";
  std::string expected;
  for (const auto& c : cases) {
    std::vector<std::string> altered = fields;
    if (c.field == 1) altered[1] = altered[1] == "play" ? "title" : "play";
    if (c.field > 1) altered[c.field].back() = altered[c.field].back() == '0' ? '1' : '0';
    const std::string line = altered[0] + " " + altered[1] + " " + altered[2] + " " + altered[3];
    const std::string path = (dir / c.name).string();
    testing_support::WriteFile(path + ".txt", script);
    testing_support::WriteFile(path + ".last", line + "\n");
    arguments += " " + path + ".txt";
    expected += c.field == 0 ? "ok " + path + ".txt\n"
                             : "FAIL " + path + ".txt: ended as \"" + recorded + "\", not as recorded \"" + line + "\"\n";
  }
  const SimRun run = RunSim(arguments);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, expected);
}

}  // namespace
