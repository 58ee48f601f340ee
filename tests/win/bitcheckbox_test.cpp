// The bitmap check box as a real window: its painting, clicks, keys and glyph rules.
#include "controls/BtChkBox.h"
#include "support/Painting.h"
#include "win/Forms.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
class BitCheckBox : public ::testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetClientSize(200, 60);
        form_->SetColor(clSilver);
        box_ = new TBitCheckBox(form_.get(), form_.get(), {8, 16, 169, 17}, "&Build all units.");
        box_->SetColor(clSilver);
        box_->OnClick = [this](TComponent*) { ++clicks_; };
    }

    // Paints the box into a 32-bit bitmap and returns the colour of one pixel as 0xRRGGBB.
    std::uint32_t PixelAt(int x, int y) {
        return support::PaintedPixels(169, 17, [this](HDC dc) { box_->Paint(dc); }).At(x, y);
    }

    std::unique_ptr<TForm> form_;
    TBitCheckBox* box_ = nullptr;
    int clicks_ = 0;
};

constexpr std::uint32_t kWhite = 0xFFFFFF, kGrey = 0x808080, kSilver = 0xC0C0C0, kBlue = 0x0000FF;
} // namespace

TEST_F(BitCheckBox, PaintsTheBuiltInGlyphsFromRowOneWithTheBackgroundForOlive) {
    // Height 17 and a glyph of 14 rows: the glyph runs from y = 1 to 14.
    EXPECT_EQ(PixelAt(0, 1), kSilver); // row 1 of the unchecked glyph is all olive
    EXPECT_EQ(PixelAt(0, 2), kWhite);
    EXPECT_EQ(PixelAt(12, 2), kGrey);
    EXPECT_EQ(PixelAt(13, 2), kSilver);
    EXPECT_EQ(PixelAt(1, 3), kSilver); // the square's silver face
    box_->SetChecked(true);
    EXPECT_EQ(PixelAt(14, 1), kBlue); // the tick rises past the square's corner
    box_->SetState(TCheckBoxState::cbGrayed);
    EXPECT_EQ(PixelAt(4, 1), kBlue); // the question mark's top
    EXPECT_EQ(clicks_, 0);           // states set by property never click
}

TEST_F(BitCheckBox, ADisabledBoxShowsTheSecondImageOnlyWhenTheGlyphHasTwo) {
    box_->SetEnabled(false);
    EXPECT_EQ(PixelAt(0, 2), kWhite); // one image: the same picture
    // A 28 x 14 glyph holds two square images; the disabled one is the right half.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 28, -14, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle two(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 28; ++x)
            pixels[y * 28 + x] = y == 13 && x == 0 ? 0x808000 : (x < 14 ? 0xFF0000 : 0x00FF00);
    box_->SetGlyph(TCheckBoxState::cbUnchecked, two.get());
    EXPECT_EQ(box_->NumGlyphs(TCheckBoxState::cbUnchecked), 2);
    EXPECT_EQ(PixelAt(3, 4), 0x00FF00u);
    box_->SetEnabled(true);
    EXPECT_EQ(PixelAt(3, 4), 0xFF0000u);
    box_->SetGlyph(TCheckBoxState::cbUnchecked, nullptr); // the built-in image again
    EXPECT_EQ(PixelAt(0, 2), kWhite);
}

TEST_F(BitCheckBox, ADoubleClickIsTwoClicksAndTheBlankKeyToggles) {
    HWND wnd = box_->Handle();
    const LPARAM at = MAKELPARAM(5, 5);
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(wnd, WM_LBUTTONUP, 0, at);
    SendMessageA(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(wnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks_, 2);
    EXPECT_FALSE(box_->Checked());
    SendMessageA(wnd, WM_CHAR, ' ', 0);
    EXPECT_EQ(clicks_, 3);
    EXPECT_TRUE(box_->Checked());
    // A release outside the box is no click.
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_EQ(clicks_, 3);
    // Nor is a release over the box of a press that began elsewhere (dragged onto it), also after a
    // press on the box that was released outside.
    SendMessageA(wnd, WM_LBUTTONUP, 0, at);
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 5));
    SendMessageA(wnd, WM_MOUSEMOVE, 0, at);
    SendMessageA(wnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks_, 3);
    EXPECT_TRUE(box_->Checked());
}

// The box takes only the blank for itself: a plain letter typed while it has the focus is a dialog
// character and reaches the accelerator of another box.
TEST_F(BitCheckBox, APlainLetterReachesTheAcceleratorWhileABoxHasTheFocus) {
    TApplication application;
    auto* other = new TBitCheckBox(form_.get(), form_.get(), {8, 36, 169, 17}, "&Detailed Mapfile.");
    form_->Show();
    other->SetFocus();
    PostMessageA(other->Handle(), WM_CHAR, 'b', 0);
    application.ProcessMessages();
    EXPECT_TRUE(box_->Checked());
    EXPECT_FALSE(other->Checked());
    PostMessageA(box_->Handle(), WM_CHAR, ' ', 0);
    application.ProcessMessages();
    EXPECT_FALSE(box_->Checked());
    EXPECT_EQ(clicks_, 1);
}

TEST_F(BitCheckBox, TheAcceleratorTogglesAndFocusesWithoutClicking) {
    form_->Show();
    EXPECT_FALSE(box_->DialogChar('x'));
    EXPECT_TRUE(box_->DialogChar('B'));
    EXPECT_TRUE(box_->Checked());
    EXPECT_TRUE(box_->Focused());
    EXPECT_EQ(clicks_, 0);
    box_->SetEnabled(false);
    EXPECT_FALSE(box_->DialogChar('b'));
    EXPECT_TRUE(box_->Checked());
}

TEST_F(BitCheckBox, GrayedIsPassedThroughOnlyWhenAllowed) {
    box_->SetState(TCheckBoxState::cbGrayed);
    box_->AdvanceState();
    EXPECT_EQ(box_->State(), TCheckBoxState::cbChecked);
    box_->SetAllowGrayed(true);
    box_->SetChecked(false);
    box_->AdvanceState();
    EXPECT_EQ(box_->State(), TCheckBoxState::cbGrayed);
    EXPECT_FALSE(box_->Checked());
}
