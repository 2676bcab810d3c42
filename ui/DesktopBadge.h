// The mark the notification icon carries while desktop 2 is active: a "2"
// in its lower right corner, drawn over the chosen icon at run time, at the
// size the notification area shows icons.
#pragma once

#include <windows.h>

// Where the badge lies in an icon of width × height.
RECT DesktopBadgeRect(int width, int height);
// Draws the badge onto an icon's image and, when given, makes the same
// pixels opaque in its monochrome mask (black is opaque).
void DrawDesktopBadge(HDC image, HDC mask, int width, int height);
// A new icon of width × height: icon, scaled, with the badge over it, in
// 32-bit colour that keeps the icon's own transparency, soft edges
// included. The caller owns it; null when the platform refused.
HICON MakeBadgedIcon(HICON icon, int width, int height);
