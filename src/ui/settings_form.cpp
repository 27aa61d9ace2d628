#include "ui/settings_form.hpp"

#include <algorithm>

const DialogCommand* CommandFor(const DialogTemplate& form, int32_t id) {
  const auto found = std::find_if(form.commands.begin(), form.commands.end(),
                                  [&](const DialogCommand& command) { return command.id == id; });
  return found != form.commands.end() ? &*found : nullptr;
}

void Apply(const DialogCommand& command, int32_t& fullScreen, int32_t& keyboard) {
  (command.member == SettingsMember::FullScreen ? fullScreen : keyboard) = command.value;
}
