// The core without a window, for the hosts that only play and check: the
// simulator, the autopilot, the benchmarks, the tests.
#pragma once

#include <optional>
#include <string>

#include "app/input_script.hpp"
#include "ui/core.hpp"

// What start-up reads for a core on the data of `dataDir` (its title showing
// the scores kept there) and the built-in sprite sheet, started with
// `choices`; false with start-up's message when it cannot start.
bool LoadHeadlessSetup(const std::string& dataDir, const StartChoices& choices, CoreSetup& setup, std::string& message);
// That core; nothing, with the message, when it does not start.
std::optional<Core> StartHeadlessCore(const std::string& dataDir, const StartChoices& choices, std::string& message);
