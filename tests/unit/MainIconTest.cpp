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
// One image's entry in an icon group resource, after a three-word header.
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
constexpr size_t kGroupHeaderBytes = 3 * sizeof(WORD);

const BYTE* ResourceBytes(int id, LPCSTR type, DWORD* size) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  if (!found) return nullptr;
  *size = SizeofResource(nullptr, found);
  return static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
}

// A bitmap image: its header, then colours with alpha (some pixels fully
// clear, some solid), then the mask.
void ExpectBitmapWithAlpha(const BYTE* image, DWORD size, int side) {
  BITMAPINFOHEADER header;
  ASSERT_GE(size, sizeof header + 4u * side * side);
  memcpy(&header, image, sizeof header);
  EXPECT_EQ(header.biWidth, side);
  EXPECT_EQ(header.biBitCount, 32);
  bool clear = false, solid = false;
  for (int i = 0; i < side * side; ++i) {
    const BYTE alpha = image[header.biSize + 4 * i + 3];
    clear = clear || alpha == 0;
    solid = solid || alpha == 255;
  }
  EXPECT_TRUE(clear && solid) << side << " px";
}

TEST(MainIconTest, HoldsEverySizeAsItsOwn32BitImageWithAlpha) {
  DWORD groupSize = 0;
  const BYTE* group = ResourceBytes(IDR_MAINFRAME, RT_GROUP_ICON, &groupSize);
  ASSERT_NE(group, nullptr);
  const WORD count = reinterpret_cast<const WORD*>(group)[2];
  ASSERT_EQ(groupSize, kGroupHeaderBytes + count * sizeof(GroupIconEntry));

  std::vector<int> sides;
  for (int i = 0; i < count; ++i) {
    GroupIconEntry entry;
    memcpy(&entry, group + kGroupHeaderBytes + i * sizeof entry, sizeof entry);
    const int side = entry.width ? entry.width : 256;
    sides.push_back(side);
    EXPECT_EQ(entry.bitCount, 32) << side << " px";
    DWORD imageSize = 0;
    const BYTE* image = ResourceBytes(entry.iconId, RT_ICON, &imageSize);
    ASSERT_NE(image, nullptr) << side << " px";
    if (side < 256) {
      ExpectBitmapWithAlpha(image, imageSize, side);
      continue;
    }
    // PNG, 256 × 256, 8 bits a channel, with alpha.
    ASSERT_GE(imageSize, 26u);
    EXPECT_EQ(memcmp(image, "\x89PNG\r\n\x1a\n", 8), 0);
    EXPECT_EQ(memcmp(image + 12, "IHDR\0\0\1\0\0\0\1\0\x08\x06", 14), 0);
  }
  EXPECT_EQ(sides, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

}  // namespace
