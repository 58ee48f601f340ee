// The toolbar as real windows: its geometry, the pixels of its frame, separators and buttons painted
// into memory bitmaps, the button's mouse handling through the toolbar, disabled glyphs and tool tips.
#include "controls/TbCtls.h"
#include "base/SysUtils.h"
#include "win/Forms.h"
#include "support/Painting.h"
#include "win/StdCtrls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
constexpr std::uint32_t kRed = 0xFF0000, kBlack = 0x000000;

std::uint32_t Rgb(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// A glyph strip from rows of letters: m magenta (transparent at the bottom-left), r red, k black,
// w white, s silver, g grey.
BitmapHandle Strip(const std::vector<std::string>& rows) {
    const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            pixels[y * width + x] = c == 'r'   ? kRed
                                    : c == 'k' ? kBlack
                                    : c == 'w' ? 0xFFFFFFu
                                    : c == 's' ? 0xC0C0C0u
                                    : c == 'g' ? 0x808080u
                                               : 0xFF00FFu;
        }
    return bitmap;
}

// 16 x 16: red everywhere but the transparent bottom-left pixel.
BitmapHandle RedGlyph() {
    std::vector<std::string> rows(16, std::string(16, 'r'));
    rows[15][0] = 'm';
    return Strip(rows);
}

// Finds the tool-tip window owned by search->first.
BOOL CALLBACK FindToolTipOf(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<HWND, HWND>*>(param);
    char cls[64] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (GetWindow(wnd, GW_OWNER) == search->first && lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0)
        search->second = wnd;
    return TRUE;
}

using support::Canvas;

class Toolbar : public ::testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetClientSize(292, 119);
        dock_ = new TDock(form_.get(), form_.get());
        toolbar_ = new TToolbar(form_.get(), dock_);
        toolbar_->SetFullSize(true);
        first_ = AddButton(0, "First.");
        second_ = AddButton(25, "Second.");
        new TToolbarSep(form_.get(), toolbar_, 50);
        third_ = AddButton(56, "");
        new TToolbarSep(form_.get(), toolbar_, 81, 10);
        AddButton(91, "Last.");
    }
    TToolbarButton* AddButton(int left, const char* hint) {
        auto* button = new TToolbarButton(form_.get(), toolbar_, {left, 0, 25, 25});
        button->SetGlyph(RedGlyph());
        button->SetHint(hint);
        button->SetShowHint(true);
        button->OnClick = [this](TComponent*) { ++clicks_; };
        return button;
    }
    // The toolbar's window as painted; (x, y) in window coordinates (the client area starts at 2, 2).
    std::uint32_t Pixel(int x, int y) {
        Canvas canvas(toolbar_->Width(), toolbar_->Height());
        toolbar_->PaintWindow(canvas.Dc());
        return canvas.At(x, y);
    }
    LRESULT Mouse(UINT msg, int x, int y) {
        return SendMessageA(toolbar_->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                            MAKELPARAM(x, y));
    }

    const std::uint32_t face_ = Rgb(GetSysColor(COLOR_BTNFACE));
    const std::uint32_t light_ = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT));
    const std::uint32_t shadow_ = Rgb(GetSysColor(COLOR_BTNSHADOW));
    std::unique_ptr<TForm> form_;
    TDock* dock_ = nullptr;
    TToolbar* toolbar_ = nullptr;
    TToolbarButton *first_ = nullptr, *second_ = nullptr, *third_ = nullptr;
    int clicks_ = 0;
};
} // namespace

TEST_F(Toolbar, DockedGeometryAndAWindowedControlInTheRow) {
    EXPECT_EQ(dock_->Bounds().width, 292);
    EXPECT_EQ(dock_->Height(), 29);
    EXPECT_EQ(toolbar_->Width(), 292);
    EXPECT_EQ(toolbar_->Height(), 29);
    EXPECT_EQ(toolbar_->ClientWidth(), 288);
    EXPECT_EQ(toolbar_->ClientHeight(), 25);
    EXPECT_EQ(third_->Left(), 56);
    // A windowed control placed at 85 goes between the 10-pixel separator at 81 and the last button.
    TWinControl* colour = new TPanel(form_.get(), toolbar_, {85, 0, 45, 25});
    toolbar_->InsertControl(colour);
    EXPECT_EQ(colour->Left(), 91);
    EXPECT_EQ(toolbar_->ItemAt(140, 10), toolbar_->Items().back());
    EXPECT_EQ(toolbar_->Items().back()->Left(), 136);
    second_->SetVisible(false);
    EXPECT_EQ(third_->Left(), 31);
    EXPECT_EQ(colour->Left(), 66);
    delete colour; // the row closes up
    EXPECT_EQ(toolbar_->Items().back()->Left(), 66);
    try {
        TToolbarSep misplaced(form_.get(), dock_, 0);
        ADD_FAILURE() << "a separator on a dock";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "TToolbarSep can only be placed on a TToolbar");
    }
}

TEST_F(Toolbar, FrameSeparatorsAndTheGlyphPaintAtTheirPixels) {
    EXPECT_EQ(Pixel(0, 0), light_);
    EXPECT_EQ(Pixel(0, 27), light_);
    EXPECT_EQ(Pixel(291, 28), shadow_);
    EXPECT_EQ(Pixel(1, 1), face_);
    struct Line {
        int x;
        std::uint32_t colour;
    };
    // The 6-pixel separator at 50 and the 10-pixel one at 81, in window coordinates (+2).
    for (const Line& line :
         {Line{2 + 50 + 1, face_}, Line{2 + 52, shadow_}, Line{2 + 53, light_}, Line{2 + 54, face_},
          Line{2 + 81 + 3, face_}, Line{2 + 85, shadow_}, Line{2 + 86, light_}, Line{2 + 87, face_}})
        for (int y : {2, 14, 26})
            EXPECT_EQ(Pixel(line.x, y), line.colour) << line.x << "," << y;
    // The glyph of an up button at (5, 5); no frame.
    const int bx = 2 + 25, by = 2;
    EXPECT_EQ(Pixel(bx + 4, by + 5), face_);
    EXPECT_EQ(Pixel(bx + 5, by + 5), kRed);
    EXPECT_EQ(Pixel(bx + 20, by + 19), kRed);
    EXPECT_EQ(Pixel(bx + 5, by + 20), face_); // the transparent pixel
    EXPECT_EQ(Pixel(bx + 21, by + 20), face_);
    EXPECT_EQ(Pixel(bx, by), face_);
    // Pressed: a sunken frame and the glyph at (6, 6).
    Mouse(WM_LBUTTONDOWN, 25 + 12, 12);
    EXPECT_EQ(second_->State(), tbctls::TButtonState::bsDown);
    EXPECT_EQ(Pixel(bx, by), shadow_);
    EXPECT_EQ(Pixel(bx + 24, by + 24), light_);
    EXPECT_EQ(Pixel(bx + 5, by + 5), face_);
    EXPECT_EQ(Pixel(bx + 6, by + 6), kRed);
    EXPECT_EQ(Pixel(bx + 21, by + 20), kRed);
    Mouse(WM_LBUTTONUP, 25 + 12, 12);
    EXPECT_EQ(clicks_, 1);
}

TEST_F(Toolbar, APressDraggedOffDoesNotClickAndADisabledButtonIgnoresTheMouse) {
    Mouse(WM_LBUTTONDOWN, 12, 12);
    EXPECT_EQ(GetCapture(), toolbar_->Handle());
    Mouse(WM_MOUSEMOVE, 200, 40);
    EXPECT_EQ(first_->State(), tbctls::TButtonState::bsUp);
    Mouse(WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(first_->State(), tbctls::TButtonState::bsDown);
    Mouse(WM_MOUSEMOVE, 30, 10); // over the next button: still the first one's press
    Mouse(WM_LBUTTONUP, 30, 10);
    EXPECT_EQ(clicks_, 0);
    EXPECT_EQ(first_->State(), tbctls::TButtonState::bsUp);
    EXPECT_EQ(second_->State(), tbctls::TButtonState::bsUp);
    EXPECT_EQ(GetCapture(), nullptr);

    second_->SetEnabled(false);
    Mouse(WM_LBUTTONDOWN, 30, 10);
    Mouse(WM_LBUTTONUP, 30, 10);
    EXPECT_EQ(clicks_, 0);
    EXPECT_EQ(SendMessageA(toolbar_->Handle(), tbtlbr::kQueryItemMessage, 25, 0),
              tbtlbr::kItemButton | (1 << 8));
    EXPECT_EQ(SendMessageA(toolbar_->Handle(), tbtlbr::kQueryItemMessage, 0, 0),
              tbtlbr::kItemButton | tbtlbr::kItemEnabled);
    EXPECT_EQ(SendMessageA(toolbar_->Handle(), tbtlbr::kQueryItemMessage, 50, 0), 0);
    EXPECT_EQ(SendMessageA(toolbar_->Handle(), tbtlbr::kQueryItemMessage, 51, 0), -1);
    // Disabling in the middle of a press ends it without a click.
    Mouse(WM_LBUTTONDOWN, 12, 12);
    first_->SetEnabled(false);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(WM_LBUTTONUP, 12, 12);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(Toolbar, DisabledGlyphsAreEmbossedFromImageZeroOrMappedFromImageOne) {
    // Ink (black, red) is embossed; white, silver and the transparent colour stay hollow.
    std::vector<std::string> rows(16, std::string(16, 'm'));
    rows[3] = "mmmkkkkwwssrrmmm";
    second_->SetGlyph(Strip(rows));
    second_->SetEnabled(false);
    const int gx = 2 + 25 + 5, gy = 2 + 5 + 3;
    EXPECT_EQ(Pixel(gx + 3, gy), shadow_);
    EXPECT_EQ(Pixel(gx + 7, gy + 1), light_); // highlight one pixel right and down of the last ink
    EXPECT_EQ(Pixel(gx + 7, gy), face_);      // white
    EXPECT_EQ(Pixel(gx + 9, gy), face_);      // silver
    EXPECT_EQ(Pixel(gx + 11, gy), shadow_);   // red is ink
    EXPECT_EQ(Pixel(gx + 2, gy), face_);
    // A strip of two images: the second one, white shown in highlight, grey in shadow.
    std::vector<std::string> two(16, std::string(32, 'm'));
    two[3] = "rrrrrrrrrrrrrrrrmmmwwggkkmmmmmmm";
    third_->SetGlyph(Strip(two));
    EXPECT_EQ(third_->NumGlyphs(), 2);
    third_->SetEnabled(false);
    const int tx = 2 + 56 + 5;
    EXPECT_EQ(Pixel(tx + 3, gy), light_);
    EXPECT_EQ(Pixel(tx + 5, gy), shadow_);
    EXPECT_EQ(Pixel(tx + 7, gy), kBlack);
    EXPECT_EQ(Pixel(tx + 0, gy), face_);
    third_->SetEnabled(true);
    EXPECT_EQ(Pixel(tx + 0, gy), kRed);
}

TEST_F(Toolbar, TheSharedDisabledPictureIsMadeAgainInNewColours) {
    std::vector<std::string> rows(16, std::string(16, 'm'));
    rows[0][0] = 'k';
    const BitmapHandle strip = Strip(rows);
    const TDisabledColors blue{RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0)};
    const TDisabledColors grey{RGB(192, 192, 192), RGB(255, 255, 255), RGB(128, 128, 128)};
    struct Case {
        TDisabledColors colors;
        std::uint32_t face, ink, highlight;
    };
    for (const Case& c : {Case{blue, 0x0000FF, 0xFF0000, 0x00FF00}, Case{grey, 0xC0C0C0, 0x808080, 0xFFFFFF},
                          Case{blue, 0x0000FF, 0xFF0000, 0x00FF00}}) {
        HBITMAP picture = DisabledGlyph(strip.get(), 1, c.colors);
        BITMAP info{};
        GetObjectA(picture, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 17);
        EXPECT_EQ(info.bmHeight, 17);
        Canvas canvas(17, 17);
        MemoryDc source(CreateCompatibleDC(nullptr));
        SelectionScope select(source.get(), picture);
        BitBlt(canvas.Dc(), 0, 0, 17, 17, source.get(), 0, 0, SRCCOPY);
        EXPECT_EQ(canvas.At(0, 0), c.ink);
        EXPECT_EQ(canvas.At(1, 1), c.highlight);
        EXPECT_EQ(canvas.At(0, 16), c.face);
        EXPECT_EQ(DisabledGlyph(strip.get(), 1, c.colors), picture); // kept while the colours hold
    }
}

TEST_F(Toolbar, ToolTipsAreRegisteredWhenThePointerFirstComes) {
    // The form's tool-tip window, made on first use.
    const auto formTip = [this] {
        std::pair<HWND, HWND> search{form_->Handle(), nullptr};
        EnumThreadWindows(GetCurrentThreadId(), &FindToolTipOf, reinterpret_cast<LPARAM>(&search));
        return search.second;
    };
    EXPECT_EQ(formTip(), nullptr);
    Mouse(WM_MOUSEMOVE, 200, 12);
    HWND tip = formTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 3); // the button without a hint has none
    char text[80] = {};
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = toolbar_->Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(second_);
    ti.lpszText = text;
    ASSERT_TRUE(SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ(text, "Second.");
    EXPECT_EQ(ti.rect.left, 25);
    EXPECT_EQ(ti.rect.right, 50);
    second_->SetHint("Other.");
    ASSERT_TRUE(SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ(text, "Other.");
}
