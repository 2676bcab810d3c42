// Template 102: the main dialog, which is also the settings form.
#pragma once

#define IDD_SWITCHER_DIALOG 102

#define IDC_CHECK_ALT 1000
#define IDC_CHECK_CTRL 1001
#define IDC_CHECK_SHIFT 1002
#define IDC_CHECK_WIN 1003
#define IDC_COMBO_KEY 1005
#define IDC_EDIT_TIP 1006
#define IDC_CHECK_HOTKEY 1007
#define IDC_CHECK_TRAY 1008
#define IDC_BUTTON_ICON 1009
#define IDC_BUTTON_OK 1010
#define IDC_BUTTON_CANCEL 1011
#define IDC_BUTTON_EXIT 1012
#define IDC_BUTTON_ABOUT 1017
#define IDC_CHECK_OTHER_ICONS 1018
// Opens the user's guide, which the option beside it points to.
#define IDC_STATIC_HELP 1019

// The About entry the main dialog adds to its system menu.
#define IDM_ABOUTBOX 0x0010
