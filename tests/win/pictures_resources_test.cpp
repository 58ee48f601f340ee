// The program's pictures are linked in as resources under the names the controls load them by.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct BitmapSize {
    const char* name;
    LONG width;
    LONG height;
};

class ScopedGdiObject {
  public:
    explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {}
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ~ScopedGdiObject() {
        if (object_)
            DeleteObject(object_);
    }
    HGDIOBJ get() const { return object_; }

  private:
    HGDIOBJ object_;
};

} // namespace

TEST(PictureResources, BitmapsLoadByNameWithTheirSizes) {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    for (const BitmapSize& e : {BitmapSize{"CHECKED", 19, 14},
                                BitmapSize{"UNCHECKED", 19, 14},
                                BitmapSize{"GRAYED", 19, 14},
                                BitmapSize{"FEDITBMP", 14, 12},
                                BitmapSize{"ARROW_BMP", 7, 5},
                                BitmapSize{"ARROW_DISABLED_BMP", 7, 5},
                                BitmapSize{"GLYPH_OPTIONS", 32, 16},
                                BitmapSize{"GLYPH_CWIN", 16, 16},
                                BitmapSize{"GLYPH_ABOUT", 16, 16},
                                BitmapSize{"GLYPH_HELP", 16, 16},
                                BitmapSize{"GLYPH_CLOSE", 16, 16},
                                BitmapSize{"GLYPH_START", 16, 16},
                                BitmapSize{"GLYPH_EXIT", 16, 16},
                                BitmapSize{"GLYPH_PSETUP", 16, 16},
                                BitmapSize{"GLYPH_PRINT", 16, 16},
                                BitmapSize{"GLYPH_DATE", 16, 16},
                                BitmapSize{"GLYPH_PROJECTPATH", 17, 17},
                                BitmapSize{"GLYPH_FONT", 16, 16},
                                BitmapSize{"GLYPH_OK", 16, 16},
                                BitmapSize{"GLYPH_PREFS_CLOSE", 16, 16},
                                BitmapSize{"GLYPH_PREFS_HELP", 16, 16},
                                BitmapSize{"WELCOME_PICTURE", 48, 64},
                                BitmapSize{"ABOUT_ICON", 32, 32}}) {
        ScopedGdiObject bitmap(LoadBitmapA(module, e.name));
        ASSERT_NE(bitmap.get(), nullptr) << e.name;
        BITMAP info{};
        ASSERT_NE(GetObjectA(bitmap.get(), sizeof info, &info), 0) << e.name;
        EXPECT_EQ(info.bmWidth, e.width) << e.name;
        EXPECT_EQ(info.bmHeight, e.height) << e.name;
    }
}

TEST(PictureResources, CheckedGlyphKeepsItsPaletteColours) {
    ScopedGdiObject bitmap(LoadBitmapA(GetModuleHandleA(nullptr), "CHECKED"));
    ASSERT_NE(bitmap.get(), nullptr);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap.get());
    // Top row "33333333333338C4333": olive, then grey, blue and navy at the tick's tip.
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(128, 128, 0));
    EXPECT_EQ(GetPixel(dc, 13, 0), RGB(128, 128, 128));
    EXPECT_EQ(GetPixel(dc, 14, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 15, 0), RGB(0, 0, 128));
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST(PictureResources, CursorAndIcons) {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    const HCURSOR hand = LoadCursorA(module, "URLHAND");
    ASSERT_NE(hand, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    ScopedGdiObject mask(info.hbmMask);
    ScopedGdiObject colour(info.hbmColor);
    EXPECT_EQ(info.fIcon, FALSE);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);

    EXPECT_NE(LoadIconA(module, "MAINICON"), nullptr);
    EXPECT_NE(LoadIconA(module, MAKEINTRESOURCEA(1)), nullptr);
    const HICON small = static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(small, nullptr);
    DestroyIcon(small);
}
