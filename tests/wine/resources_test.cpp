// The pictures inside the config module, loaded the way the pages load them:
// every icon id with both of its sizes, and every bitmap id at the size its
// control is laid out for. Keyed pictures must show magenta where they are
// to be transparent, or the page paints a magenta box.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace tqr {
namespace {

// The icon group directory as stored in a module (GRPICONDIR and its entries).
#pragma pack(push, 2)
struct GroupEntry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bits;
  DWORD bytes;
  WORD id;
};
struct GroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
#pragma pack(pop)

struct BitmapCase {
  WORD id;
  int width;
  int height;
  bool keyed;  // drawn with magenta as the transparent colour
};

constexpr BitmapCase kBitmaps[] = {
    {101, 40, 40, true},   {103, 40, 40, true},   {104, 40, 40, true},   {105, 40, 40, true},
    {9055, 40, 40, true},  {9056, 40, 40, true},  {9057, 40, 40, true},  {9058, 40, 40, true},
    {9046, 24, 16, true},  {9053, 8, 20, false},  {9054, 8, 4, false},   {4600, 20, 20, false},
    {4601, 20, 20, false}, {4602, 20, 20, false}, {4603, 20, 20, false}, {4604, 20, 20, false},
    {4605, 20, 20, false}, {8550, 48, 48, false}, {8551, 48, 48, false}, {8552, 48, 48, false},
    {8553, 48, 48, false}, {8554, 48, 48, false}, {8555, 48, 48, false}, {8556, 48, 48, false},
    {8557, 48, 48, false}, {8558, 48, 48, false}, {8559, 48, 48, false},
};

std::vector<WORD> IconIds() {
  std::vector<WORD> ids = {64062, 119, 120, 121, 122};
  for (WORD id = 4700; id <= 4746; ++id) ids.push_back(id);
  return ids;
}

class ResourcesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The module is built beside this test.
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll(path, length);
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"tqr54ui.dll";
    module_ = LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  static void TearDownTestSuite() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(module_, nullptr) << "tqr54ui.dll not loaded"; }

  static HMODULE module_;
};

HMODULE ResourcesTest::module_ = nullptr;

TEST_F(ResourcesTest, EveryIconHas32BitImagesAt32And16Pixels) {
  for (WORD id : IconIds()) {
    SCOPED_TRACE(id);
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));
    ASSERT_NE(found, nullptr);
    const DWORD size = SizeofResource(module_, found);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
    ASSERT_NE(group, nullptr);
    ASSERT_GE(size, sizeof(GroupHeader));
    GroupHeader header;
    memcpy(&header, group, sizeof header);
    ASSERT_EQ(header.count, 2);
    ASSERT_GE(size, sizeof header + header.count * sizeof(GroupEntry));
    std::vector<int> sides;
    for (WORD k = 0; k < header.count; ++k) {
      GroupEntry entry;
      memcpy(&entry, group + sizeof header + k * sizeof entry, sizeof entry);
      EXPECT_EQ(entry.bits, 32);
      EXPECT_EQ(entry.width, entry.height);
      sides.push_back(entry.width);
    }
    EXPECT_EQ(sides, (std::vector<int>{32, 16}));

    for (int side : {32, 16}) {
      HICON icon = static_cast<HICON>(
          LoadImageW(module_, MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, 0));
      ASSERT_NE(icon, nullptr) << side;
      ICONINFO info = {};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      BITMAP colour = {};
      ASSERT_TRUE(GetObjectW(info.hbmColor, sizeof colour, &colour));
      EXPECT_EQ(colour.bmWidth, side);
      EXPECT_EQ(colour.bmHeight, side);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
    }
  }
}

TEST_F(ResourcesTest, EveryBitmapHasTheSizeItsControlShows) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  for (const BitmapCase& c : kBitmaps) {
    SCOPED_TRACE(c.id);
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module_, MAKEINTRESOURCEW(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    ASSERT_TRUE(GetObjectW(bitmap, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, c.width);
    EXPECT_EQ(info.bmHeight, c.height);
    EXPECT_EQ(info.bmBitsPixel, 24);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF corner = GetPixel(dc, 0, 0);
    if (c.keyed) {
      EXPECT_EQ(corner, RGB(255, 0, 255));
    } else {
      EXPECT_NE(corner, RGB(255, 0, 255));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace tqr
