// The program's icon as the resource holds it: one image for every size the
// system asks for at the usual display scales, each in 32-bit colour with
// alpha, so that nothing is scaled from a neighbour.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "res/MainIcon.h"

namespace {

#pragma pack(push, 2)
// An icon group resource: a header, then one entry per image.
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct GroupIconEntry {
  BYTE width;  // 0 for 256
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD iconId;
};
#pragma pack(pop)

const BYTE* ResourceBytes(int id, LPCSTR type, DWORD* size) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  if (!found) return nullptr;
  *size = SizeofResource(nullptr, found);
  return static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
}

DWORD BigEndian(const BYTE* bytes) {
  return static_cast<DWORD>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

// A bitmap image (header, colours bottom up, mask) uses its alpha: some
// pixels fully clear, some fully solid.
void ExpectBitmapWithAlpha(const BYTE* image, DWORD size, int side) {
  BITMAPINFOHEADER header;
  ASSERT_GE(size, sizeof header);
  memcpy(&header, image, sizeof header);
  EXPECT_EQ(header.biWidth, side);
  EXPECT_EQ(header.biHeight, 2 * side) << "colours and mask";
  EXPECT_EQ(header.biBitCount, 32);
  ASSERT_GE(size, header.biSize + 4u * side * side);
  bool clear = false, solid = false;
  for (int i = 0; i < side * side; ++i) {
    const BYTE alpha = image[header.biSize + 4 * i + 3];
    clear = clear || alpha == 0;
    solid = solid || alpha == 255;
  }
  EXPECT_TRUE(clear && solid) << side << " px";
}

// A PNG image of side × side, 8 bits a channel, with alpha (colour type 6).
void ExpectPngWithAlpha(const BYTE* image, DWORD size, int side) {
  ASSERT_GE(size, 26u);
  EXPECT_EQ(memcmp(image, "\x89PNG\r\n\x1a\n", 8), 0);
  EXPECT_EQ(memcmp(image + 12, "IHDR", 4), 0);
  EXPECT_EQ(BigEndian(image + 16), static_cast<DWORD>(side));
  EXPECT_EQ(BigEndian(image + 20), static_cast<DWORD>(side));
  EXPECT_EQ(image[24], 8);
  EXPECT_EQ(image[25], 6);
}

TEST(MainIconTest, HoldsEverySizeAsItsOwn32BitImageWithAlpha) {
  DWORD groupSize = 0;
  const BYTE* group = ResourceBytes(IDR_MAINFRAME, RT_GROUP_ICON, &groupSize);
  ASSERT_NE(group, nullptr);
  GroupIconHeader header;
  memcpy(&header, group, sizeof header);
  ASSERT_EQ(groupSize, sizeof header + header.count * sizeof(GroupIconEntry));

  std::vector<int> sides;
  for (int i = 0; i < header.count; ++i) {
    GroupIconEntry entry;
    memcpy(&entry, group + sizeof header + i * sizeof entry, sizeof entry);
    const int side = entry.width ? entry.width : 256;
    sides.push_back(side);
    EXPECT_EQ(entry.bitCount, 32) << side << " px";
    DWORD imageSize = 0;
    const BYTE* image = ResourceBytes(entry.iconId, RT_ICON, &imageSize);
    ASSERT_NE(image, nullptr) << side << " px";
    if (side == 256) {
      ExpectPngWithAlpha(image, imageSize, side);
    } else {
      ExpectBitmapWithAlpha(image, imageSize, side);
    }
  }
  EXPECT_EQ(sides, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

}  // namespace
