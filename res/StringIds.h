// Every text of the program's own lives in the string table of Panorel.rc.
// The numbers stay clear of the control ids, which a link control may look
// up as strings.
#pragma once

#define IDS_ERROR_PARM 200
#define IDS_AGREEMENT_TEXT 201
#define IDS_SYSMENU_ABOUT 203
#define IDS_HOTKEY_REGISTER_FAILED 204
#define IDS_TRAY_MENU_SETTINGS 205
#define IDS_TRAY_MENU_ABOUT 206
#define IDS_TRAY_MENU_EXIT 207
#define IDS_NEED_MODIFIER 208
#define IDS_NEED_HOTKEY_OR_TRAY 209
#define IDS_HOTKEY_FALLBACK_TO_TRAY 210
#define IDS_TEXTMENU_EMPTY 211
#define IDS_PICKER_CAPTION 212
#define IDS_PICKER_FILE_MISSING 213
#define IDS_PICKER_NO_ICONS 214
#define IDS_PICKER_SELECT_ICON 215
#define IDS_PICKER_FILTER 216
#define IDS_NEWS_CONNECT_FAILED_BEFORE_HOST 217
#define IDS_NEWS_CONNECT_FAILED_AFTER_HOST 218
#define IDS_NO_ICON_TOOLBAR 219
#define IDS_SETTINGS_NOT_SAVED 220
#define IDS_RECOVERY_NOT_KEPT 221
// Kept apart from the numbers above, which other texts may take.
#define IDS_NEWS_FETCHING 240
#define IDS_ALREADY_RUNNING_NO_ANSWER 241
#define IDS_SETTINGS_TOO_LARGE 242
