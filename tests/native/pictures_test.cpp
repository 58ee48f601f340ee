// The committed picture files: the check box glyphs hold exactly their pixel tables, and every
// other picture has the size and transparent colour its user expects.
#include "controls/BtChkBox_core.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The repository's file in the platform's spelling: the source folder is a Z:\ path under Wine.
std::string RepoFile(const std::string& relative) {
    const std::string root = TNWK_SOURCE_DIR;
    const char separator = root.find('\\') != std::string::npos ? '\\' : '/';
    std::string path = root;
    for (char c : "/" + relative)
        path += c == '/' ? separator : c;
    return path;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

// A 16-colour, uncompressed, bottom-up bitmap file, decoded.
struct Bitmap16 {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::vector<std::string> rows;      // one hexadecimal palette index per pixel, top row first

    std::uint32_t ColourAt(int x, int y) const {
        const char c = rows.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x));
        return palette.at(static_cast<std::size_t>(c <= '9' ? c - '0' : c - 'A' + 10));
    }
};

Bitmap16 LoadBitmap16(const std::string& name) {
    const std::vector<std::uint8_t> b = ReadFile(RepoFile("res/pictures/" + name));
    Bitmap16 bmp;
    if (b.size() < 54 + 64 || b[0] != 'B' || b[1] != 'M') {
        ADD_FAILURE() << name << " is not a bitmap file";
        return bmp;
    }
    EXPECT_EQ(U32(b, 2), b.size()) << name;
    EXPECT_EQ(U32(b, 14), 40u) << name;
    EXPECT_EQ(U16(b, 28), 4u) << name << ": bits per pixel";
    EXPECT_EQ(U32(b, 30), 0u) << name << ": compression";
    bmp.width = static_cast<int>(U32(b, 18));
    bmp.height = static_cast<int>(U32(b, 22));
    for (std::size_t i = 0; i < 16; ++i)
        bmp.palette.push_back(U32(b, 54 + 4 * i) & 0xFFFFFF);
    const std::size_t bits = U32(b, 10);
    const std::size_t stride = static_cast<std::size_t>((bmp.width * 4 + 31) / 32 * 4);
    if (bmp.width <= 0 || bmp.height <= 0 ||
        bits + stride * static_cast<std::size_t>(bmp.height) > b.size()) {
        ADD_FAILURE() << name << ": pixel rows missing";
        return bmp;
    }
    for (int y = bmp.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < bmp.width; ++x) {
            const std::uint8_t pair =
                b[bits + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 2)];
            row += "0123456789ABCDEF"[x % 2 ? pair & 0x0F : pair >> 4];
        }
        bmp.rows.push_back(row);
    }
    return bmp;
}

void ExpectGlyph(const std::string& file, const btchkbox::TGlyphRows& expected) {
    const Bitmap16 bmp = LoadBitmap16(file);
    ASSERT_EQ(bmp.width, btchkbox::glyphWidth) << file;
    ASSERT_EQ(bmp.height, btchkbox::glyphHeight) << file;
    EXPECT_EQ(bmp.palette,
              std::vector<std::uint32_t>(btchkbox::standardPalette.begin(), btchkbox::standardPalette.end()))
        << file;
    for (int y = 0; y < btchkbox::glyphHeight; ++y)
        EXPECT_EQ(bmp.rows[static_cast<std::size_t>(y)], expected[static_cast<std::size_t>(y)])
            << file << " row " << y + 1;
}

constexpr std::uint32_t magenta = 0xFF00FF;

} // namespace

TEST(Pictures, CheckBoxGlyphsHoldTheirPixelTables) {
    ExpectGlyph("unchecked.bmp", btchkbox::uncheckedGlyph);
    ExpectGlyph("checked.bmp", btchkbox::checkedGlyph);
    ExpectGlyph("grayed.bmp", btchkbox::grayedGlyph);
}

TEST(Pictures, ControlBitmapsHaveTheirSizesAndTransparentCorner) {
    struct Expected {
        const char* file;
        int width;
        int height;
    };
    for (const Expected& e : {Expected{"feditbmp.bmp", 14, 12}, Expected{"arrow.bmp", 7, 5},
                              Expected{"arrow_disabled.bmp", 7, 5}}) {
        const Bitmap16 bmp = LoadBitmap16(e.file);
        ASSERT_EQ(bmp.width, e.width) << e.file;
        ASSERT_EQ(bmp.height, e.height) << e.file;
        EXPECT_EQ(bmp.ColourAt(0, e.height - 1), magenta) << e.file;
    }
}

TEST(Pictures, ArrowsAreTrianglesInBlackAndGrey) {
    for (const auto& [file, ink] :
         {std::pair{"arrow.bmp", 0x000000u}, std::pair{"arrow_disabled.bmp", 0x808080u}}) {
        const Bitmap16 bmp = LoadBitmap16(file);
        ASSERT_EQ(bmp.height, 5) << file;
        std::vector<int> widths;
        for (int y = 0; y < bmp.height; ++y) {
            int inked = 0;
            for (int x = 0; x < bmp.width; ++x) {
                const std::uint32_t colour = bmp.ColourAt(x, y);
                EXPECT_TRUE(colour == ink || colour == magenta) << file << " at " << x << "," << y;
                inked += colour == ink;
            }
            if (inked)
                widths.push_back(inked);
        }
        EXPECT_EQ(widths, (std::vector<int>{5, 3, 1})) << file;
    }
}

TEST(Pictures, ButtonGlyphsAreSixteenSquareOnMagenta) {
    struct Expected {
        const char* file;
        int width;
        int height;
    };
    for (const Expected& e : {Expected{"glyph_options.bmp", 32, 16}, Expected{"glyph_cwin.bmp", 16, 16},
                              Expected{"glyph_about.bmp", 16, 16}, Expected{"glyph_help.bmp", 16, 16},
                              Expected{"glyph_close.bmp", 16, 16}, Expected{"glyph_start.bmp", 16, 16},
                              Expected{"glyph_exit.bmp", 16, 16}, Expected{"glyph_psetup.bmp", 16, 16},
                              Expected{"glyph_print.bmp", 16, 16}, Expected{"glyph_date.bmp", 16, 16},
                              Expected{"glyph_projectpath.bmp", 17, 17}, Expected{"glyph_font.bmp", 16, 16},
                              Expected{"glyph_ok.bmp", 16, 16}, Expected{"glyph_prefs_close.bmp", 16, 16},
                              Expected{"glyph_prefs_help.bmp", 16, 16}}) {
        const Bitmap16 bmp = LoadBitmap16(e.file);
        ASSERT_EQ(bmp.width, e.width) << e.file;
        ASSERT_EQ(bmp.height, e.height) << e.file;
        EXPECT_EQ(bmp.ColourAt(0, e.height - 1), magenta) << e.file;
    }
}

TEST(Pictures, DialogPicturesHaveTheirSizes) {
    const Bitmap16 welcome = LoadBitmap16("welcome_picture.bmp");
    EXPECT_EQ(welcome.width, 48);
    EXPECT_EQ(welcome.height, 64);
    const Bitmap16 about = LoadBitmap16("about_icon.bmp");
    EXPECT_EQ(about.width, 32);
    EXPECT_EQ(about.height, 32);
}

TEST(Pictures, IconAndCursorDirectories) {
    const std::vector<std::uint8_t> icon = ReadFile(RepoFile("res/pictures/mainicon.ico"));
    ASSERT_GE(icon.size(), 6u + 2 * 16);
    EXPECT_EQ(U16(icon, 2), 1u); // icon
    ASSERT_EQ(U16(icon, 4), 2u);
    EXPECT_EQ(icon[6], 32);
    EXPECT_EQ(icon[6 + 16], 16);
    for (std::size_t entry = 0; entry < 2; ++entry) {
        const std::size_t at = 6 + 16 * entry;
        EXPECT_LE(U32(icon, at + 12) + U32(icon, at + 8), icon.size()) << "icon image " << entry;
    }

    const std::vector<std::uint8_t> cursor = ReadFile(RepoFile("res/pictures/urlhand.cur"));
    ASSERT_GE(cursor.size(), 6u + 16);
    EXPECT_EQ(U16(cursor, 2), 2u); // cursor
    ASSERT_EQ(U16(cursor, 4), 1u);
    EXPECT_EQ(cursor[6], 32);
    // The hot spot is the finger tip: the top row's first opaque pixel.
    EXPECT_EQ(U16(cursor, 6 + 4), 5u);
    EXPECT_EQ(U16(cursor, 6 + 6), 0u);
    const std::size_t image = U32(cursor, 6 + 12);
    ASSERT_EQ(U32(cursor, image + 8), 64u); // colour rows and mask rows
    const std::size_t bitsPerPixel = U16(cursor, image + 14);
    const std::size_t paletteBytes = 4u << bitsPerPixel;
    const std::size_t colourRow = (32 * bitsPerPixel + 31) / 32 * 4;
    const std::size_t maskTopRow = image + 40 + paletteBytes + colourRow * 32 + 4 * 31;
    ASSERT_LT(maskTopRow + 3, cursor.size());
    // In the mask a set bit is transparent; the top row is opaque only at the finger tip.
    const std::uint32_t topRow = cursor[maskTopRow] << 24 | cursor[maskTopRow + 1] << 16;
    EXPECT_EQ(~topRow & 0xFFFF0000u, 0x06000000u);
}
