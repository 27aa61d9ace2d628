#include "app/board_address.hpp"

#include <algorithm>

namespace {

constexpr std::string_view kSchemes[] = {"http://", "https://"};
constexpr size_t kLongestAddress = 2000;  // what every HTTP client takes

}  // namespace

std::string BoardAddressProblem(std::string_view address) {
  const auto scheme = std::find_if(std::begin(kSchemes), std::end(kSchemes),
                                   [&](std::string_view s) { return address.starts_with(s); });
  if (scheme == std::end(kSchemes)) return "a board's address starts with http:// or https://";
  // Spaces and control bytes would end up in the request line.
  if (address.size() > kLongestAddress ||
      std::any_of(address.begin(), address.end(), [](char c) { return c <= ' ' || c > '~'; })) {
    return "a board's address is up to 2000 printable characters without spaces";
  }
  const std::string_view rest = address.substr(scheme->size());
  if (rest.empty() || rest.front() == '/' || rest.front() == ':') return "a board's address names its host";
  if (rest.find_first_of("?#") != std::string_view::npos) return "a board's address has no query or fragment";
  return "";
}

std::string ReadBoardAddress(const SettingsFile& file, const std::string& path, std::vector<std::string>& warnings) {
  std::string address;
  for (const SettingsEntry& entry : file.Section(kBoardSection)) {
    const std::string where = path + ":" + std::to_string(entry.line) + ": ";
    if (entry.key != "address") {
      warnings.push_back(where + "no board setting '" + entry.key + "'");
    } else if (const std::string problem = BoardAddressProblem(entry.value); !problem.empty()) {
      warnings.push_back(where + "'" + entry.value + "' is no board: " + problem + "; no run is sent");
      address.clear();
    } else {
      address = entry.value;
    }
  }
  return address;
}

std::string RunsEndpoint(std::string_view address) {
  if (address.ends_with('/')) address.remove_suffix(1);
  return std::string(address) + "/api/runs";
}
