// The game on the desktop.
#include <cstdio>

#include "app/game_app.hpp"
#include "app/options.hpp"
#include "platform/sdl/sdl_platform.hpp"

namespace {

constexpr int kUsageErrorStatus = 2;

}  // namespace

int main(int argc, char** argv) {
  const CommandLine line = ParseOptions(argc, argv);
  switch (line.action) {
    case CommandLine::Action::Help:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Version:
      std::fputs(VersionText().c_str(), stdout);
      return 0;
    case CommandLine::Action::UsageError:
      std::fprintf(stderr, "kestrova: %s\nTry 'kestrova --help' for the options.\n", line.error.c_str());
      return kUsageErrorStatus;
    case CommandLine::Action::Run:
      break;
  }
  platform::sdl::SdlPlatform platform(platform::sdl::SdlSettings{line.scale});
  return CGameApp(platform, line.app, BuiltinResources()).Run();
}
