// The settings dialog's template, in dialog units: its controls in their own
// order and the buttons that set a member. The desktop's GTK dialog and the
// browser's form are both built from it.
#pragma once

#include <cstdint>
#include <span>

enum class ControlKind : uint8_t { DefaultButton, Button, GroupBox, Radio, Text, Spin, Edit };

struct DialogBox {
  int32_t x, y, width, height;
};

struct DialogControl {
  int32_t id;  // 0 for controls that have none
  ControlKind kind;
  const char* caption;
  DialogBox box;
  bool startsGroup;  // radio buttons after it form a new group
};

// What the dialog's caller holds and its buttons set.
enum class SettingsMember : uint8_t { FullScreen, Keyboard };

struct DialogCommand {
  int32_t id;  // the control that sets it when clicked
  SettingsMember member;
  int32_t value;
};

struct DialogTemplate {
  const char* caption;
  int32_t clientWidth, clientHeight;
  std::span<const DialogControl> controls;
  std::span<const DialogCommand> commands;
};

// Dialog template 131.
inline constexpr DialogControl kSettingsControls[] = {
    {1, ControlKind::DefaultButton, "決定", {94, 107, 50, 14}, false},
    {2, ControlKind::Button, "取り消し", {94, 124, 50, 14}, false},
    {0, ControlKind::GroupBox, "画面モード", {13, 13, 76, 43}, true},
    {1000, ControlKind::Radio, "フルスクリーン", {24, 27, 62, 10}, false},
    {1001, ControlKind::Radio, "ウインドウ", {24, 39, 48, 10}, false},
    {0, ControlKind::GroupBox, "入力デバイス", {13, 65, 77, 40}, true},
    {1002, ControlKind::Radio, "キーボード", {21, 78, 50, 10}, false},
    {1003, ControlKind::Radio, "ジョイスティック", {21, 89, 63, 10}, false},
    {0, ControlKind::GroupBox, "音楽", {92, 14, 56, 37}, true},
    {1004, ControlKind::Radio, "あり", {96, 23, 29, 10}, false},
    {1005, ControlKind::Radio, "なし", {96, 35, 29, 10}, false},
    {0, ControlKind::GroupBox, "音源", {93, 57, 42, 37}, false},  // joins the music group
    {1009, ControlKind::Radio, "WAVE", {96, 66, 36, 10}, false},
    {1010, ControlKind::Radio, "MIDI", {96, 78, 31, 10}, false},
    {0, ControlKind::Text, "ゲームウエイト", {14, 109, 49, 10}, true},
    {1011, ControlKind::Spin, "Spin1", {15, 122, 8, 14}, false},
    {1012, ControlKind::Edit, "", {28, 122, 32, 14}, false},
};

// The four buttons that set a member; every other control does nothing.
inline constexpr DialogCommand kSettingsCommands[] = {
    {1000, SettingsMember::FullScreen, 1},
    {1003, SettingsMember::Keyboard, 0},
    {1002, SettingsMember::Keyboard, 1},
    {1001, SettingsMember::FullScreen, 0},
};

inline constexpr DialogTemplate kSettingsForm{"システムメニュー", 165, 154, kSettingsControls, kSettingsCommands};

// What clicking the control `id` sets; null for nothing.
const DialogCommand* CommandFor(const DialogTemplate& form, int32_t id);
void Apply(const DialogCommand& command, int32_t& fullScreen, int32_t& keyboard);
