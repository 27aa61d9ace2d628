#include "ui/dialog_json.hpp"

#include <array>
#include <cstdio>

namespace {

// In ControlKind's and SettingsMember's order.
constexpr std::array<const char*, 7> kControlKindNames = {"default", "button", "group", "radio",
                                                          "text",    "spin",   "edit"};
static_assert(kControlKindNames.size() == static_cast<size_t>(ControlKind::Edit) + 1);
constexpr std::array<const char*, 2> kSettingsMemberNames = {"fullScreen", "keyboard"};
static_assert(kSettingsMemberNames.size() == static_cast<size_t>(SettingsMember::Keyboard) + 1);

void AppendString(std::string& out, const char* text) {
  out += '"';
  for (const char* c = text; *c != '\0'; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += *c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += *c;  // UTF-8 stays as it is
    }
  }
  out += '"';
}

}  // namespace

std::string DialogJson(const DialogTemplate& form) {
  std::string out = "{\"caption\":";
  AppendString(out, form.caption);
  out += ",\"clientSize\":[" + std::to_string(form.clientWidth) + "," + std::to_string(form.clientHeight) + "]";
  out += ",\"controls\":[";
  for (const DialogControl& c : form.controls) {
    if (&c != form.controls.data()) out += ',';
    out += "{\"id\":" + std::to_string(c.id) + ",\"kind\":";
    AppendString(out, kControlKindNames[static_cast<size_t>(c.kind)]);
    out += ",\"caption\":";
    AppendString(out, c.caption);
    out += ",\"box\":[" + std::to_string(c.box.x) + "," + std::to_string(c.box.y) + "," + std::to_string(c.box.width) +
           "," + std::to_string(c.box.height) + "],\"startsGroup\":" + (c.startsGroup ? "true" : "false") + "}";
  }
  out += "],\"commands\":[";
  for (const DialogCommand& c : form.commands) {
    if (&c != form.commands.data()) out += ',';
    out += "{\"id\":" + std::to_string(c.id) + ",\"member\":";
    AppendString(out, kSettingsMemberNames[static_cast<size_t>(c.member)]);
    out += ",\"value\":" + std::to_string(c.value) + "}";
  }
  return out + "]}";
}
