// Template 100: the About dialog with its links and news box.
#pragma once

#define IDD_ABOUTBOX 100
#define IDC_EDIT_NEWS 1006
#define IDC_STATIC_MAIL 1019
#define IDC_STATIC_WEB 1020
