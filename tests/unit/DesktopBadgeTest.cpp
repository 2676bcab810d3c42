// The desktop 2 badge drawn onto bitmaps of this process and read back
// pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/Handles.h"
#include "ui/DesktopBadge.h"

namespace {

constexpr COLORREF kRed = RGB(192, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The badge as a user should see it at 16 pixels, one character a pixel:
// 'r' the badge, '#' the digit.
constexpr const char* kBadgeAt16[] = {
    "rrrrrrr",
    "rr###rr",
    "r#rrr#r",
    "rrrrr#r",
    "rrrr#rr",
    "rrr#rrr",
    "rr#rrrr",
    "r#####r",
    "rrrrrrr",
};
constexpr int kBadgeWidth = 7;
constexpr int kBadgeHeight = 9;

// A 32-bit bitmap selected into a memory DC, filled with one colour.
class Canvas {
 public:
  Canvas(int size, COLORREF fill) : m_dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap.Reset(CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_previous = SelectObject(m_dc, m_bitmap.Get());
    const RECT all = {0, 0, size, size};
    CGdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    FillRect(m_dc, &all, brush.Get());
  }
  ~Canvas() {
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
  }
  HDC Dc() const { return m_dc; }
  COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

 private:
  HDC m_dc;
  CGdiObject<HBITMAP> m_bitmap;
  HGDIOBJ m_previous = nullptr;
};

TEST(DesktopBadgeTest, ATwoInTheLowerRightCornerAtEveryWholeScaleAndNothingElseTouched) {
  for (int size : {16, 32}) {
    const int scale = size / 16;
    Canvas image(size, kGreen), mask(size, kWhite);
    DrawDesktopBadge(image.Dc(), mask.Dc(), size, size);
    const int left = size - kBadgeWidth * scale, top = size - kBadgeHeight * scale;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const bool inBadge = x >= left && y >= top;
        COLORREF expected = kGreen;
        if (inBadge) expected = kBadgeAt16[(y - top) / scale][(x - left) / scale] == '#' ? kWhite : kRed;
        ASSERT_EQ(image.At(x, y), expected) << size << " px at " << x << "," << y;
        ASSERT_EQ(mask.At(x, y), inBadge ? kBlack : kWhite) << size << " px at " << x << "," << y;
      }
    }
  }
}

TEST(DesktopBadgeTest, TheBadgedIconKeepsTheChosenIconsTransparencyAndImage) {
  // 16 × 16: the top half opaque green, the bottom half, where the badge
  // goes, transparent.
  constexpr int kSize = 16;
  Canvas colour(kSize, kGreen), maskBits(kSize, kBlack);
  const RECT bottomHalf = {0, kSize / 2, kSize, kSize};
  FillRect(maskBits.Dc(), &bottomHalf, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FillRect(colour.Dc(), &bottomHalf, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  CGdiObject<HBITMAP> mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
  {
    HDC maskDc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(maskDc, mask.Get());
    BitBlt(maskDc, 0, 0, kSize, kSize, maskBits.Dc(), 0, 0, SRCCOPY);
    SelectObject(maskDc, previous);
    DeleteDC(maskDc);
  }
  HGDIOBJ colourBitmap = GetCurrentObject(colour.Dc(), OBJ_BITMAP);
  ICONINFO info = {TRUE, 0, 0, mask.Get(), static_cast<HBITMAP>(colourBitmap)};
  CIconHandle chosen(CreateIconIndirect(&info));
  ASSERT_TRUE(chosen);

  CIconHandle badged(MakeBadgedIcon(chosen.Get(), kSize, kSize));
  ASSERT_TRUE(badged);
  Canvas shown(kSize, kBlue);
  DrawIconEx(shown.Dc(), 0, 0, badged.Get(), kSize, kSize, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(shown.At(2, 12), kBlue) << "transparent stays transparent";
  EXPECT_EQ(shown.At(12, 2), kGreen);
  // The badge lies over the transparent half and is opaque all the same.
  EXPECT_EQ(shown.At(kSize - 1, kSize - 1), kRed);
  EXPECT_EQ(shown.At(kSize - 2, kSize - 7), kWhite) << "the digit's right stroke";
}

TEST(DesktopBadgeTest, AnIconWithAlphaKeepsItsSoftAndClearPixelsAndTheBadgeIsSolidOverThem) {
  // 24 × 24, as the notification area asks at 150 %: half-clear green at
  // the top, solid green in the middle, clear at the bottom, where the badge
  // goes.
  constexpr int kSize = 24;
  BITMAPINFO format = {};
  format.bmiHeader = {sizeof format.bmiHeader, kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  CGdiObject<HBITMAP> colour(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(colour);
  auto* pixels = static_cast<RGBQUAD*>(bits);
  for (int y = 0; y < kSize; ++y) {
    const BYTE alpha = y < 6 ? 128 : y < 12 ? 255 : 0;
    for (int x = 0; x < kSize; ++x) pixels[y * kSize + x] = alpha ? RGBQUAD{0, 160, 0, alpha} : RGBQUAD{0, 0, 0, 0};
  }
  CGdiObject<HBITMAP> mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
  ICONINFO info = {TRUE, 0, 0, mask.Get(), colour.Get()};
  CIconHandle chosen(CreateIconIndirect(&info));
  ASSERT_TRUE(chosen);

  CIconHandle badged(MakeBadgedIcon(chosen.Get(), kSize, kSize));
  ASSERT_TRUE(badged);
  Canvas shown(kSize, kBlue);
  DrawIconEx(shown.Dc(), 0, 0, badged.Get(), kSize, kSize, 0, nullptr, DI_NORMAL);
  const COLORREF soft = shown.At(2, 2);
  EXPECT_NEAR(GetGValue(soft), 80, 4) << "half green over blue";
  EXPECT_NEAR(GetBValue(soft), 100, 4);
  EXPECT_EQ(shown.At(2, 8), kGreen);
  EXPECT_EQ(shown.At(2, 20), kBlue) << "clear stays clear";
  EXPECT_EQ(shown.At(kSize - 1, kSize - 1), kRed);
  EXPECT_EQ(shown.At(kSize - 2, kSize - 7), kWhite) << "the digit's right stroke";
}

}  // namespace
