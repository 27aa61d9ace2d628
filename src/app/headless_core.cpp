#include "app/headless_core.hpp"

#include <memory>
#include <utility>

#include "app/resources.hpp"

bool LoadHeadlessSetup(const std::string& dataDir, const StartChoices& choices, CoreSetup& setup, std::string& message) {
  auto sheet = std::make_shared<SpriteSheet>();
  if (LoadSpriteSheet(BuiltinResources().sheet, *sheet) != SheetResult::Loaded) {
    message = "ERROR BITMAP LOADING";
    return false;
  }
  setup.sheet = std::move(sheet);
  setup.joystick = choices.keyboard == 0 ? choices.joystick : std::nullopt;
  setup.rules = choices.rules;
  setup.best = choices.best;
  std::string error;
  if (!LoadCoreData(dataDir, dataDir + "/score.dat", setup, error)) {
    message = "ERROR DATA LOADING " + error;
    return false;
  }
  return true;
}

std::optional<Core> StartHeadlessCore(const std::string& dataDir, const StartChoices& choices, std::string& message) {
  CoreSetup setup;
  if (!LoadHeadlessSetup(dataDir, choices, setup, message)) return std::nullopt;
  return Core(std::move(setup));
}
