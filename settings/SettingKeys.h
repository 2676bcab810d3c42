// Every key of the settings file, each named once with its section and its
// default: code reads and writes settings through these, so that a typo
// cannot quietly create a key of its own.
#pragma once

struct CSettingKey {
  const char* section;
  const char* key;
  // Null where the default depends on the running program; the reader
  // passes it (ReadSetting's overload with a default).
  const char* defaultValue;
};

namespace setting {

constexpr CSettingKey kUseHotKey{"Setup", "UseHotKey", "Y"};
// Modifier bits: 1 Alt, 2 Ctrl, 4 Shift, 8 Win. Ctrl by default.
constexpr CSettingKey kHotKeyFlags{"Setup", "HotKeyFlags", "2"};
// A virtual key from F1 (112) to F12 (123). F1 by default.
constexpr CSettingKey kHotKey{"Setup", "HotKey", "112"};
constexpr CSettingKey kUseIcon{"Setup", "UseIcon", "Y"};
// "<file>,<index>"; by default the program's own first icon.
constexpr CSettingKey kIcon{"Setup", "Icon", nullptr};
// By default the main title.
constexpr CSettingKey kIconTitle{"Setup", "IconTitle", nullptr};
constexpr CSettingKey kHideElseIcon{"Setup", "HideElseIcon", "N"};

// The usage agreement's answer lives in a section of its own per user and
// computer ("<user>.<computer>").
constexpr char kAllowKey[] = "Allow";
constexpr char kAllowDefault[] = "N";

}  // namespace setting
