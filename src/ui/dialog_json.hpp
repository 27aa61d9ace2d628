// A dialog template as JSON, for the browser's page to build its form from:
// {"caption", "clientSize": [w, h], "controls": [{"id", "kind", "caption",
// "box": [x, y, w, h], "startsGroup"}], "commands": [{"id", "member", "value"}]}.
// Kinds: "default", "button", "group", "radio", "text", "spin", "edit";
// members: "fullScreen", "keyboard".
#pragma once

#include <string>

#include "ui/settings_form.hpp"

std::string DialogJson(const DialogTemplate& form);
