// What the running program learns of its surroundings: the environment's
// variables, and where the program itself lies (an installation is found
// from there, wherever it was moved).
#pragma once

#include <filesystem>
#include <string>

// The variable's value; empty when it is not set.
std::string Environment(const char* name);
// The folder of the running program; empty when the system does not say.
std::filesystem::path ProgramFolder();
