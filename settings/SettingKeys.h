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

// The extras: read, never written by the program; an absent value means
// the program behaves as without the extra. Read them with PeekSetting.
// The key that moves the active window to the other desktop, encoded as
// HotKeyFlags and HotKey; absent, it follows the switch combination.
constexpr CSettingKey kMoveHotKeyFlags{"Extras", "MoveHotKeyFlags", ""};
constexpr CSettingKey kMoveHotKey{"Extras", "MoveHotKey", ""};
// "N" leaves the notification icon plain on desktop 2.
constexpr CSettingKey kShowDesktopNumber{"Extras", "ShowDesktopNumber", "Y"};
// Executable file names separated by ";": their windows stay on both desktops.
constexpr CSettingKey kPinned{"Extras", "Pinned", ""};
// "zh..." or "en...": the language of the program's texts; otherwise the
// system's user-interface language decides.
constexpr CSettingKey kLanguage{"Extras", "Language", ""};

// The usage agreement's answer lives in a section of its own per user and
// computer ("<user>.<computer>").
constexpr char kAllowKey[] = "Allow";
constexpr char kAllowDefault[] = "N";

}  // namespace setting
