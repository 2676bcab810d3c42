#include "ui/DesktopBadge.h"

#include "framework/Handles.h"

namespace {

// The digit as a 5 × 7 grid, top row first: a font at 16 pixels is mush in
// most faces, a grid stays sharp at every whole scale.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr const char* kTwo[kGlyphHeight] = {
    ".###.",
    "#...#",
    "....#",
    "...#.",
    "..#..",
    ".#...",
    "#####",
};
// One cell of background around the digit keeps it readable on any image.
constexpr int kMargin = 1;
constexpr int kSmallIconSize = 16;
constexpr COLORREF kBadgeColor = RGB(192, 0, 0);
constexpr COLORREF kDigitColor = RGB(255, 255, 255);

struct CMemoryDcTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC dc) { ::DeleteDC(dc); }
};
using CMemoryDc = CUniqueHandle<HDC, CMemoryDcTraits>;

// Selects object into dc for as long as it lives, then puts back what was
// there: an object still selected cannot be deleted.
class CSelection {
 public:
  CSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
  ~CSelection() { SelectObject(m_dc, m_previous); }
  CSelection(const CSelection&) = delete;
  CSelection& operator=(const CSelection&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

int BadgeScale(int width, int height) {
  const int smaller = width < height ? width : height;
  return smaller < 2 * kSmallIconSize ? 1 : smaller / kSmallIconSize;
}

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  CGdiObject<HBRUSH> brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.Get());
}

}  // namespace

RECT DesktopBadgeRect(int width, int height) {
  const int scale = BadgeScale(width, height);
  const int badgeWidth = (kGlyphWidth + 2 * kMargin) * scale;
  const int badgeHeight = (kGlyphHeight + 2 * kMargin) * scale;
  return {width - badgeWidth, height - badgeHeight, width, height};
}

void DrawDesktopBadge(HDC image, HDC mask, int width, int height) {
  const RECT badge = DesktopBadgeRect(width, height);
  Fill(image, badge, kBadgeColor);
  if (mask) Fill(mask, badge, RGB(0, 0, 0));
  const int scale = BadgeScale(width, height);
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int column = 0; column < kGlyphWidth; ++column) {
      if (kTwo[row][column] != '#') continue;
      const int left = badge.left + (kMargin + column) * scale;
      const int top = badge.top + (kMargin + row) * scale;
      Fill(image, {left, top, left + scale, top + scale}, kDigitColor);
    }
  }
}

HICON MakeBadgedIcon(HICON icon, int width, int height) {
  if (!icon || width <= 0 || height <= 0) return nullptr;
  HDC screen = GetDC(nullptr);
  CGdiObject<HBITMAP> image(CreateCompatibleBitmap(screen, width, height));
  ReleaseDC(nullptr, screen);
  CGdiObject<HBITMAP> mask(CreateBitmap(width, height, 1, 1, nullptr));
  CMemoryDc imageDc(CreateCompatibleDC(nullptr));
  CMemoryDc maskDc(CreateCompatibleDC(nullptr));
  if (!image || !mask || !imageDc || !maskDc) return nullptr;
  {
    CSelection imageSelected(imageDc.Get(), image.Get());
    CSelection maskSelected(maskDc.Get(), mask.Get());
    // Transparent pixels are black in the image and white in the mask, as
    // the platform combines an icon's two bitmaps.
    const RECT all = {0, 0, width, height};
    Fill(imageDc.Get(), all, RGB(0, 0, 0));
    DrawIconEx(imageDc.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    DrawIconEx(maskDc.Get(), 0, 0, icon, width, height, 0, nullptr, DI_MASK);
    DrawDesktopBadge(imageDc.Get(), maskDc.Get(), width, height);
  }
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmMask = mask.Get();
  info.hbmColor = image.Get();
  // The icon gets copies: the bitmaps go with their owners here.
  return CreateIconIndirect(&info);
}
