#include <gtest/gtest.h>

#include <filesystem>

#include "app/data_places.hpp"
#include "test_support.hpp"

namespace {

using testing_support::MakeTempDir;
using testing_support::WriteFile;

std::string GameFolder(bool whole) {
  const auto dir = MakeTempDir();
  WriteFile(dir / "data.csv", "");
  WriteFile(dir / "Stage1.csv", "");
  if (whole) WriteFile(dir / "char.csv", "");
  return dir.string();
}

}  // namespace

TEST(DataPlaces, NamedFolderThenTheCurrentOnesThenTheInstalledOneWithTheScoresAtHome) {
  const std::string local = GameFolder(true), installed = GameFolder(true), partial = GameFolder(false);
  PlaceFacts facts{"given", local, installed, "/xdg", "/home/p"};
  const auto expect = [&](const std::string& data, const std::string& scores) {
    const DataPlaces places = FindDataPlaces(facts);
    EXPECT_EQ(places.dataDir, data);
    EXPECT_EQ(places.scorePath, scores);
    EXPECT_EQ(places.problem.empty(), !data.empty() && !scores.empty()) << places.problem;
  };
  expect("given", "given/score.dat");
  facts.givenDataDir.clear();
  expect(local, local + "/score.dat");
  facts.localDataDir = partial;  // a data folder without every stage file is not the game's
  expect(installed, "/xdg/kestrova/score.dat");
  facts.xdgDataHome = "relative";  // ignored, as if unset
  expect(installed, "/home/p/.local/share/kestrova/score.dat");
  facts.home.clear();
  expect(installed, "");
  facts.installedDataDir = partial + "/nowhere";
  expect("", "");
  std::string problem = FindDataPlaces(facts).problem;
  // The half-copied folder names what it lacks; the one that is not there has nothing to name.
  EXPECT_NE(problem.find(partial + " (under the current folder; char.csv is missing) nor in " +
                         facts.installedDataDir + " (installed)"), std::string::npos) << problem;
  std::filesystem::remove(partial + "/data.csv");
  facts.installedDataDir = partial;
  facts.localDataDir = GameFolder(false) + "/nowhere";
  problem = FindDataPlaces(facts).problem;
  EXPECT_NE(problem.find("(installed; data.csv and char.csv are missing)"), std::string::npos) << problem;
  EXPECT_NE(problem.find("nowhere (under the current folder) nor"), std::string::npos) << problem;
}
