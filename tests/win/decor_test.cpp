// The busy gauge, its thread timer, the header label and the gradient caption as real windows: painted
// into memory bitmaps and checked against their geometry, and the timer's hand-over to this thread.
#include "controls/BusyCtrl.h"
#include "controls/GrdCpt.h"
#include "controls/HeadLbl.h"
#include "support/Painting.h"
#include "win/Forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
using support::Canvas;

std::uint32_t Rgb(TColor c) {
    const COLORREF v = ColorToRGB(c);
    return (GetRValue(v) << 16) | (GetGValue(v) << 8) | GetBValue(v);
}

// Runs this thread's messages for a while, as the program's waits do.
void Pump(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    MSG msg;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

constexpr TColor kNavy = RGBColor(0, 0, 128);
constexpr TColor kSilver = RGBColor(192, 192, 192);

class Decor : public ::testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetClientSize(420, 120);
        gauge_ = new TWebGauge(form_.get(), form_.get(), {20, 30, 128, 20});
        gauge_->SetForeColor(kNavy);
        gauge_->SetBackColor(kSilver);
    }
    std::unique_ptr<TForm> form_;
    TWebGauge* gauge_ = nullptr;
};
} // namespace

TEST_F(Decor, GaugeBandRunsFromBackToForeAtItsLeadingEdge) {
    gauge_->SetBevelInner(TBevelCut::bvLowered);
    gauge_->SetWaiting(true);
    Canvas c(128, 20);
    gauge_->Paint(c.Dc());
    EXPECT_EQ(c.At(0, 10), Rgb(clBtnShadow)); // the lowered frame
    EXPECT_EQ(c.At(127, 10), Rgb(clBtnHighlight));
    EXPECT_EQ(c.At(1, 10), 0xC0C0C0u);  // column 1: shade 0
    EXPECT_EQ(c.At(32, 10), 0x6060A0u); // column 32: shade 16, halfway
    EXPECT_EQ(c.At(64, 10), 0x000080u); // column 64: the fore colour leads
    EXPECT_EQ(c.At(65, 10), 0xC0C0C0u);
    for (int i = 0; i < 70; ++i) // 64 steps out, 6 back
        gauge_->AnimationStep(nullptr);
    EXPECT_FALSE(gauge_->AnimForward());
    EXPECT_EQ(gauge_->AnimOffset(), 58);
    gauge_->Paint(c.Dc());
    EXPECT_EQ(c.At(58, 10), 0x000080u); // moving left, the fore colour leads on the left
    EXPECT_EQ(c.At(57, 10), 0xC0C0C0u);
    EXPECT_EQ(c.At(122, 10), 0xC0C0C0u); // the band's tail fades into the back colour
    // A new fore colour waits for the next start of waiting to reach the shades.
    gauge_->SetForeColor(RGBColor(255, 0, 0));
    EXPECT_EQ(gauge_->Shades()[32], kNavy);
    gauge_->SetWaiting(false);
    gauge_->SetWaiting(true);
    EXPECT_EQ(gauge_->Shades()[32], RGBColor(255, 0, 0));
}

TEST_F(Decor, GaugeBarWithItsPercentInvertedUnderTheText) {
    gauge_->SetProgress(50);
    Canvas c(128, 20);
    gauge_->Paint(c.Dc());
    // 50 % of 128 is 64 columns: the bar's inside runs from 1 to 62, its outline in the back colour.
    EXPECT_EQ(c.At(0, 5), 0xC0C0C0u);
    EXPECT_EQ(c.At(1, 1), 0x000080u);
    EXPECT_EQ(c.At(62, 1), 0x000080u);
    EXPECT_EQ(c.At(63, 1), 0xC0C0C0u);
    EXPECT_EQ(c.At(1, 19), 0xC0C0C0u);
    int invertedBack = 0, invertedBar = 0, outside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 128; ++x) {
            const std::uint32_t p = c.At(x, y);
            invertedBack += p == 0x3F3F3Fu;
            invertedBar += p == 0xFFFF7Fu;
            outside += (p == 0x3F3F3Fu || p == 0xFFFF7Fu) && x < 5;
        }
    EXPECT_GT(invertedBack, 0); // "50%", centred right of x = 5, crosses the bar's end
    EXPECT_GT(invertedBar, 0);
    EXPECT_EQ(outside, 0);
}

TEST_F(Decor, ParentPaintsItsGraphicControlsInItsOwnPaint) {
    gauge_->SetWaiting(true);
    auto* header = new THeadLabel(form_.get(), form_.get(), {0, 0, 401, 20});
    header->SetHeadAlign(THeadAlign::haTop);
    EXPECT_EQ(header->Width(), 420); // aligned to the top: the parent's whole width
    Canvas c(420, 120);
    SendMessageA(form_->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(c.Dc()), 0);
    SendMessageA(form_->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.Dc()), PRF_CLIENT);
    EXPECT_EQ(c.At(20 + 64, 30 + 10), 0x000080u);
    EXPECT_EQ(c.At(0, 10), Rgb(clTeal)); // the header's first band
    EXPECT_EQ(c.At(200, 100), Rgb(clBtnFace));
}

TEST_F(Decor, TimerTicksOnlyWhileTheGaugeIsInSightAndNeverAfterItsEnd) {
    gauge_->SetWaiting(true);
    EXPECT_FALSE(gauge_->Timer()->Ticking()); // a hidden window: no worker yet
    form_->Show();
    EXPECT_TRUE(gauge_->Timer()->Ticking());
    Pump(400);
    const int moved = gauge_->AnimOffset();
    EXPECT_GE(moved, 3);  // about 7 ticks of 55 ms
    EXPECT_LE(moved, 10); // one pending tick at a time
    form_->Hide();
    EXPECT_FALSE(gauge_->Timer()->Ticking());
    Pump(200);
    EXPECT_EQ(gauge_->AnimOffset(), moved);

    int ticks = 0;
    auto* timer = new TThreadTimer(nullptr);
    timer->SetInterval(5);
    timer->SetOnTimer([&ticks](TComponent*) { ++ticks; });
    Pump(100);
    EXPECT_GT(ticks, 2);
    delete timer;
    const int atEnd = ticks;
    Pump(100);
    EXPECT_EQ(ticks, atEnd);
}

TEST_F(Decor, HeaderBandsGlyphAndItsRefusal) {
    auto* header = new THeadLabel(form_.get(), form_.get(), {0, 0, 401, 20});
    header->Gradient().SetStartColor(clGray);
    header->SubCaption().SetEllipsis(true); // an empty sub caption still draws nothing
    // A 30 x 16 strip of two images, red then green, the bottom-left pixel marking magenta transparent.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 30, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle glyph(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 30; ++x)
            pixels[y * 30 + x] = y == 15 && x == 0 ? 0xFF00FFu : x < 15 ? 0xFF0000u : 0x00FF00u;
    ASSERT_TRUE(header->SetGlyph(std::move(glyph)));
    header->SetNumGlyphs(2);
    Canvas c(401, 20);
    header->Paint(c.Dc());
    EXPECT_EQ(c.At(6, 5), 0xFF0000u);  // the first image at x = 5 …
    EXPECT_EQ(c.At(19, 5), 0xFF0000u); // … 15 pixels wide
    EXPECT_EQ(c.At(20, 5), 0x838383u); // band 3 (x 19 … 24): 128 + 3 per channel
    EXPECT_EQ(c.At(5, 17), 0x808080u); // the transparent corner shows the band
    // No sub caption: only the bands on the right, band i from MulDiv(i, 401, 64), the last one 191.
    for (int i = 48; i < 64; ++i) {
        const std::uint32_t grey = static_cast<std::uint32_t>(128 + i) * 0x010101u;
        EXPECT_EQ(c.At(MulDivRound(i, 401, 64), 10), grey) << i;
        EXPECT_EQ(c.At(MulDivRound(i + 1, 401, 64) - 1, 10), grey) << i;
    }

    std::string warned;
    header->OnWarning = [&warned](const char* text) { warned = text; };
    BitmapHandle wide(CreateBitmap(390, 16, 1, 32, nullptr));
    HBITMAP before = header->Glyph();
    EXPECT_FALSE(header->SetGlyph(std::move(wide)));
    EXPECT_EQ(warned, "Please select a smaller glyph!");
    EXPECT_EQ(header->Glyph(), before);
    EXPECT_EQ(header->NumGlyphs(), 2);
}

// The captions and printouts ask for Courier New, which the test prefixes lack: their stand-in must be
// a fixed-pitch face, or the caption's text and the columns on paper come out proportional.
TEST(PrefixFonts, CourierNewIsAFixedPitchFace) {
    Canvas c(8, 8);
    FontHandle font(CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New"));
    const HGDIOBJ before = SelectObject(c.Dc(), font.get());
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(c.Dc(), &metrics));
    SIZE narrow{}, wide{};
    GetTextExtentPoint32A(c.Dc(), "iiii", 4, &narrow);
    GetTextExtentPoint32A(c.Dc(), "WWWW", 4, &wide);
    SelectObject(c.Dc(), before);
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "the bit set means variable pitch";
    EXPECT_EQ(narrow.cx, wide.cx);
}

TEST_F(Decor, CaptionFontIsTheSystemsOfTheOwnersKindAndParentFontPiecesFollowIt) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const LOGFONTA& small = metrics.lfSmCaptionFont;
    ASSERT_NE(small.lfWeight >= FW_BOLD, metrics.lfCaptionFont.lfWeight >= FW_BOLD) << "fonts tell apart";
    SetWindowLongPtrA(form_->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrA(form_->Handle(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    auto* caption = new TGradientCaption(form_.get());
    EXPECT_EQ(caption->Font().Desc().name, small.lfFaceName);
    EXPECT_EQ(caption->Font().Desc().height, small.lfHeight);
    EXPECT_EQ((caption->Font().Desc().style & FontStyleBit(TFontStyle::fsBold)) != 0,
              small.lfWeight >= FW_BOLD);

    TCaptionPiece* piece = caption->Captions().Add("Wrenworks");
    TFontDesc courier = caption->Font().Desc();
    courier.name = "Courier New";
    caption->Font().Assign(courier);
    ASSERT_EQ(piece->Font().Desc().name, "Courier New");
    caption->SetDefaultFont(true);
    EXPECT_EQ(piece->Font().Desc().name, small.lfFaceName);
    EXPECT_TRUE(piece->ParentFont());
}
