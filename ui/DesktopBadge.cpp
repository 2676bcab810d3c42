#include "ui/DesktopBadge.h"

#include <vector>

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

int BadgeScale(int width, int height) {
  const int smaller = width < height ? width : height;
  return smaller < 2 * kSmallIconSize ? 1 : smaller / kSmallIconSize;
}

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  CGdiObject<HBRUSH> brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.Get());
}

// A 32-bit top-down bitmap of width × height, filled with one colour, in a
// memory DC, with its pixels at hand.
class CIconCanvas {
 public:
  CIconCanvas(int width, int height, COLORREF fill) : m_dc(CreateCompatibleDC(nullptr)), m_width(width), m_height(height) {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap.Reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_dc || !m_bitmap) return;
    m_pixels = static_cast<RGBQUAD*>(bits);
    m_selection = SelectObject(m_dc.Get(), m_bitmap.Get());
    Fill(m_dc.Get(), {0, 0, width, height}, fill);
  }
  ~CIconCanvas() {
    if (m_selection) SelectObject(m_dc.Get(), m_selection);
  }
  CIconCanvas(const CIconCanvas&) = delete;
  CIconCanvas& operator=(const CIconCanvas&) = delete;

  HDC Dc() const { return m_dc.Get(); }
  // The bitmap, no longer selected: only so can an icon be made of it. The
  // canvas still owns it.
  HBITMAP Deselect() {
    if (m_selection) SelectObject(m_dc.Get(), m_selection);
    m_selection = nullptr;
    return m_bitmap.Get();
  }
  RGBQUAD* Pixels() const { return m_pixels; }
  void Draw(HICON icon) {
    DrawIconEx(m_dc.Get(), 0, 0, icon, m_width, m_height, 0, nullptr, DI_NORMAL);
    // The pixels are read next: what GDI still holds back must be in them.
    GdiFlush();
  }

 private:
  CMemoryDc m_dc;
  CGdiObject<HBITMAP> m_bitmap;
  int m_width;
  int m_height;
  RGBQUAD* m_pixels = nullptr;
  HGDIOBJ m_selection = nullptr;
};

// A channel seen on black, where it was weighted by alpha, as it is.
BYTE Unweighted(BYTE weighted, int alpha) {
  const int value = (weighted * 255 + alpha / 2) / alpha;
  return static_cast<BYTE>(value > 255 ? 255 : value);
}

// The icon's monochrome mask: set (transparent) where alpha is 0. Rows of
// a bitmap made from bits are whole 16-bit words.
HBITMAP MaskOfTransparentPixels(const RGBQUAD* pixels, int width, int height) {
  const int stride = (width + 15) / 16 * 2;
  std::vector<BYTE> bits(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (pixels[y * width + x].rgbReserved == 0) bits[y * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  return CreateBitmap(width, height, 1, 1, bits.data());
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
  CIconCanvas onBlack(width, height, RGB(0, 0, 0));
  CIconCanvas onWhite(width, height, RGB(255, 255, 255));
  if (!onBlack.Pixels() || !onWhite.Pixels()) return nullptr;
  onBlack.Draw(icon);
  onWhite.Draw(icon);
  // What shows through from white is what the icon leaves uncovered; the
  // rest, read on black, is its colour already weighted by its cover.
  const int count = width * height;
  RGBQUAD* pixels = onBlack.Pixels();
  for (int i = 0; i < count; ++i) {
    const int shownThrough = onWhite.Pixels()[i].rgbGreen - pixels[i].rgbGreen;
    const int alpha = shownThrough < 0 ? 255 : 255 - shownThrough;
    pixels[i] = alpha ? RGBQUAD{Unweighted(pixels[i].rgbBlue, alpha), Unweighted(pixels[i].rgbGreen, alpha),
                                Unweighted(pixels[i].rgbRed, alpha), static_cast<BYTE>(alpha)}
                      : RGBQUAD{0, 0, 0, 0};
  }
  DrawDesktopBadge(onBlack.Dc(), nullptr, width, height);
  GdiFlush();
  // Painting leaves the badge's alpha as it found it: it is opaque.
  const RECT badge = DesktopBadgeRect(width, height);
  for (int y = badge.top; y < badge.bottom; ++y) {
    for (int x = badge.left; x < badge.right; ++x) pixels[y * width + x].rgbReserved = 255;
  }
  CGdiObject<HBITMAP> mask(MaskOfTransparentPixels(pixels, width, height));
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmMask = mask.Get();
  info.hbmColor = onBlack.Deselect();
  // The icon gets copies: the bitmaps go with their owners here.
  return mask ? CreateIconIndirect(&info) : nullptr;
}
