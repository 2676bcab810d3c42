// The program's icon as the resource holds it: one image for every size the
// system asks for at the usual display scales, each in 32-bit colour with
// alpha, so that nothing is scaled from a neighbour.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "res/MainIcon.h"

namespace {

const BYTE* ResourceBytes(int id, LPCSTR type, DWORD* size) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  if (!found) return nullptr;
  *size = SizeofResource(nullptr, found);
  return static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
}

WORD WordAt(const BYTE* bytes) { return static_cast<WORD>(bytes[0] | bytes[1] << 8); }

TEST(MainIconTest, HoldsEverySizeAsItsOwn32BitImageWithAlpha) {
  // The group: three words (the last the count), then 14 bytes an image:
  // width (0 for 256), height, colours, reserved, planes, bits, size, id.
  DWORD groupSize = 0;
  const BYTE* group = ResourceBytes(IDR_MAINFRAME, RT_GROUP_ICON, &groupSize);
  ASSERT_NE(group, nullptr);
  const int count = WordAt(group + 4);
  ASSERT_EQ(groupSize, 6u + 14u * count);

  std::vector<int> sides;
  for (const BYTE* entry = group + 6; entry < group + groupSize; entry += 14) {
    const int side = entry[0] ? entry[0] : 256;
    sides.push_back(side);
    EXPECT_EQ(WordAt(entry + 6), 32) << side << " px";
    DWORD size = 0;
    const BYTE* image = ResourceBytes(WordAt(entry + 12), RT_ICON, &size);
    ASSERT_NE(image, nullptr) << side << " px";
    if (side == 256) {
      // PNG, 256 × 256, 8 bits a channel, with alpha.
      ASSERT_GE(size, 26u);
      EXPECT_EQ(memcmp(image, "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\1\0\0\0\1\0\x08\x06", 26), 0);
      continue;
    }
    // A bitmap: its header, then the colours, some pixels fully clear and
    // some solid, then the mask.
    BITMAPINFOHEADER header;
    ASSERT_GE(size, sizeof header + 4u * side * side);
    memcpy(&header, image, sizeof header);
    EXPECT_EQ(header.biWidth, side);
    EXPECT_EQ(header.biBitCount, 32);
    bool clear = false, solid = false;
    for (int i = 0; i < side * side; ++i) {
      clear = clear || image[header.biSize + 4 * i + 3] == 0;
      solid = solid || image[header.biSize + 4 * i + 3] == 255;
    }
    EXPECT_TRUE(clear && solid) << side << " px";
  }
  EXPECT_EQ(sides, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

}  // namespace
