#pragma once
// The program's icon: main dialog, About dialog, default notification icon.
#define IDR_MAINFRAME 128
