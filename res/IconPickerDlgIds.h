// Template 103: the icon chooser.
#pragma once

#define IDD_ICON_PICKER 103
#define IDC_LIST_ICONS 1013
#define IDC_EDIT_ICON_FILE 1014
#define IDC_BUTTON_BROWSE 1015
