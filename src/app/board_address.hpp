// The online board finished arcade runs may be sent to: its address comes
// from --board URL or from settings.ini's [board] section (address = URL),
// the command line winning. Without one the game offers to send nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/settings_file.hpp"

// Why `address` cannot be a board's; empty when it can. A board is reached
// over http:// or https:// at a host, with a port and a path if need be.
std::string BoardAddressProblem(std::string_view address);

// The [board] section's address, or empty. A line that gives none the game
// can use is warned about as "PATH:LINE: ..." and sets no board.
std::string ReadBoardAddress(const SettingsFile& file, const std::string& path, std::vector<std::string>& warnings);

// Where the board takes runs: "ADDRESS/api/runs", the address's own trailing
// slash not doubled.
std::string RunsEndpoint(std::string_view address);
