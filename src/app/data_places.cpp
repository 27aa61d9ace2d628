#include "app/data_places.hpp"

#include <filesystem>
#include <system_error>
#include <vector>

#include "app/environment.hpp"
#include "data/tables.hpp"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDataFromProgram = KESTROVA_DATA_FROM_PROGRAM;  // the install's layout, relative

// XDG's rule: a relative XDG_DATA_HOME is ignored, as if unset.
std::string UserScorePath(const PlaceFacts& facts) {
  if (facts.xdgDataHome.starts_with('/')) return facts.xdgDataHome + "/kestrova/score.dat";
  if (!facts.home.empty()) return facts.home + "/.local/share/kestrova/score.dat";
  return "";
}

// The stage files `dir` lacks, in the order the game reads them.
std::vector<std::string> MissingStageFiles(const std::string& dir) {
  std::vector<std::string> missing;
  std::error_code error;
  for (size_t i = 0; i < kRequiredDataFiles; ++i) {
    if (!fs::is_regular_file(fs::path(dir) / kDataFiles[i], error)) missing.emplace_back(kDataFiles[i]);
  }
  return missing;
}

bool HoldsGameData(const std::string& dir) { return MissingStageFiles(dir).empty(); }

// "DIR (WHERE)", and when it holds some of the stage files, the ones it
// lacks: a folder half copied is the likelier mistake than a wrong folder.
std::string DescribeFolder(const std::string& dir, const char* where) {
  const std::vector<std::string> missing = MissingStageFiles(dir);
  std::string text = dir + " (" + where;
  if (!missing.empty() && missing.size() < kRequiredDataFiles) {
    text += "; ";
    for (size_t i = 0; i < missing.size(); ++i) text += (i == 0 ? "" : " and ") + missing[i];
    text += missing.size() == 1 ? " is missing" : " are missing";
  }
  return text + ")";
}

}  // namespace

PlaceFacts GatherPlaceFacts(const std::string& givenDataDir) {
  // By the install's layout from the running program, so a moved installation still finds its data.
  const fs::path folder = ProgramFolder();
  const std::string installed = folder.empty() ? "" : (folder / kDataFromProgram).lexically_normal().string();
  return PlaceFacts{givenDataDir, "data", installed, Environment("XDG_DATA_HOME"), Environment("HOME")};
}

DataPlaces FindDataPlaces(const PlaceFacts& facts) {
  // A folder the player names or works in keeps its scores beside the data,
  // as it always has; an installed game never writes into its installation.
  if (!facts.givenDataDir.empty()) return {facts.givenDataDir, facts.givenDataDir + "/score.dat", ""};
  if (HoldsGameData(facts.localDataDir)) return {facts.localDataDir, facts.localDataDir + "/score.dat", ""};
  if (!facts.installedDataDir.empty() && HoldsGameData(facts.installedDataDir)) {
    DataPlaces places{facts.installedDataDir, UserScorePath(facts), ""};
    if (places.scorePath.empty()) places.problem = "neither XDG_DATA_HOME nor HOME is set; scores are not kept";
    return places;
  }
  std::string problem = "no game data in " + DescribeFolder(facts.localDataDir, "under the current folder");
  if (!facts.installedDataDir.empty()) problem += " nor in " + DescribeFolder(facts.installedDataDir, "installed");
  return {"", "", problem + "; name the data folder with --data DIR"};
}
