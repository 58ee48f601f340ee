// The colour button and its drop-down palette as real windows: the palette's cells and frames painted
// into memory, its keys, clicks and hints, the button's drawing, colour rules, cycling, drop-down and
// the custom colours kept in the registry.
#include "support/Pointer.h"
#include "controls/CBtnForm.h"
#include "controls/ClrBtn.h"
#include "support/Painting.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

using cbtnform::TCell;

namespace {
using support::Canvas;

COLORREF Sys(int index) {
    return GetSysColor(index);
}

// Exposes the owner drawing for painting into memory.
class DrawnButton : public TColorButton {
  public:
    using TColorButton::TColorButton;
    void DrawInto(HDC dc, UINT state) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = Handle();
        item.hDC = dc;
        item.rcItem = {0, 0, Width(), Height()};
        DrawItem(item);
    }
};

BOOL CALLBACK FindHintWindow(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<HWND, HWND>*>(param);
    char name[32] = {};
    GetClassNameA(wnd, name, sizeof name);
    if (GetWindow(wnd, GW_OWNER) == search->first && std::string(name) == TOOLTIPS_CLASSA) {
        search->second = wnd;
        return FALSE;
    }
    return TRUE;
}

// The tool tip window a window owns.
HWND HintWindowOf(HWND owner) {
    std::pair<HWND, HWND> search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindHintWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class ColorPalette : public ::testing::Test {
  protected:
    void SetUp() override {
        SetCursorPos(1000, 760); // far from every window: nothing under the cursor
        palette_ = std::make_unique<TColorButtonPalette>(nullptr);
        palette_->SetBounds(100, 100, palette_->Width(), palette_->Height());
        palette_->ColorChosen = [this](TColorButtonPalette*, bool isOther, TColor color) {
            chosen_.push_back({isOther, color});
        };
        palette_->PaletteClosed = [this](TColorButtonPalette*, TCloseAction) { ++closes_; };
    }
    // The screen point of a client point of the palette.
    POINT OnScreen(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(palette_->Handle(), &p);
        return p;
    }
    struct Choice {
        bool isOther;
        TColor color;
    };
    std::unique_ptr<TColorButtonPalette> palette_;
    std::vector<Choice> chosen_;
    int closes_ = 0;
};
} // namespace

TEST_F(ColorPalette, TheWindowHasItsClientSizeAndTheOtherButtonItsPlace) {
    EXPECT_EQ(palette_->ClientWidth(), 72);
    EXPECT_EQ(palette_->ClientHeight(), 121);
    EXPECT_EQ(palette_->btnOther->Bounds().top, 98);
    EXPECT_EQ(palette_->btnOther->Bounds().width, 50);
    EXPECT_EQ(palette_->btnOther->Caption(), "&Other");
    EXPECT_EQ(GetWindowLongPtrA(palette_->Handle(), GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);
}

TEST_F(ColorPalette, EveryCellIsPaintedWithItsThreeFramesAndItsColour) {
    palette_->SetOtherColor(RGBColor(1, 2, 3));
    Canvas canvas(72, 121);
    palette_->PaintTo(canvas.Dc());
    auto check = [&](TCell cell, bool lit) {
        const clrbtn::TRect r = cbtnform::CellRect(cell);
        const auto frames = cbtnform::CellFrames(r, lit);
        const COLORREF colours[] = {ColorToRGB(clBtnFace), Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT),
                                    Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT)};
        for (const auto& f : frames) {
            const COLORREF topLeft = colours[static_cast<int>(f.topLeft)];
            const COLORREF bottomRight = colours[static_cast<int>(f.bottomRight)];
            const int mid = (f.rect.left + f.rect.right) / 2;
            EXPECT_EQ(canvas.Pixel(f.rect.left, f.rect.top), topLeft) << cell.x << "," << cell.y;
            EXPECT_EQ(canvas.Pixel(mid, f.rect.top), topLeft);
            EXPECT_EQ(canvas.Pixel(f.rect.left, mid - f.rect.left + f.rect.top), topLeft);
            EXPECT_EQ(canvas.Pixel(f.rect.right - 1, f.rect.top), bottomRight);
            EXPECT_EQ(canvas.Pixel(mid, f.rect.bottom - 1), bottomRight);
            EXPECT_EQ(canvas.Pixel(f.rect.right - 1, f.rect.bottom - 1), bottomRight);
        }
        const clrbtn::TRect fill = cbtnform::CellFill(r);
        EXPECT_EQ(fill.right - fill.left, 12);
        const COLORREF colour = ColorToRGB(palette_->CellColor(cell));
        EXPECT_EQ(canvas.Pixel(fill.left, fill.top), colour) << cell.x << "," << cell.y;
        EXPECT_EQ(canvas.Pixel(fill.right - 1, fill.bottom - 1), colour);
    };
    for (int x = 1; x <= 4; ++x)
        for (int y = 1; y <= 5; ++y)
            check({x, y}, false);
    check({0, 0}, false);
    EXPECT_EQ(ColorToRGB(palette_->CellColor({2, 2})), RGB(127, 0, 0));
    // The etched line between the cells and the other button, from x = 2 to the width - 2.
    EXPECT_EQ(canvas.Pixel(2, 93), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(69, 94), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(1, 93), ColorToRGB(clBtnFace));
    EXPECT_EQ(canvas.Pixel(70, 93), ColorToRGB(clBtnFace));

    // The cell under the cursor is painted highlighted.
    const POINT over = OnScreen(40, 60); // cell (3, 4)
    SetCursorPos(over.x, over.y);
    palette_->PaintTo(canvas.Dc());
    EXPECT_EQ(palette_->Highlighted(), (TCell{3, 4}));
    check({3, 4}, true);
    check({2, 4}, false);
}

TEST_F(ColorPalette, TheSelectedColourIsTheKeysStartAndAnUnknownOneBecomesTheOtherColour) {
    palette_->SetSelectedColor(clRed);
    EXPECT_EQ(palette_->Highlighted(), (TCell{1, 2}));
    EXPECT_EQ(palette_->OtherColor(), clBtnFace);
    SendMessageA(palette_->Handle(), WM_KEYDOWN, VK_UP, 0);
    SendMessageA(palette_->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(palette_->Highlighted(), (TCell{1, 0}));
    SendMessageA(palette_->Handle(), WM_CHAR, '\r', 0);
    ASSERT_EQ(chosen_.size(), 1u);
    EXPECT_TRUE(chosen_[0].isOther);
    EXPECT_EQ(chosen_[0].color, clBtnFace);
    EXPECT_EQ(closes_, 1);
    EXPECT_TRUE(palette_->ClosedByKey());

    TColorButtonPalette other(nullptr);
    other.SetSelectedColor(clSilver);
    EXPECT_EQ(other.Highlighted(), cbtnform::kNoCell);
    EXPECT_EQ(other.OtherColor(), clSilver);
}

TEST_F(ColorPalette, EnterWithNothingHighlightedChoosesTheTopLeftCellAndEscapeChoosesNothing) {
    SendMessageA(palette_->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(palette_->Highlighted(), (TCell{1, 1}));
    SendMessageA(palette_->Handle(), WM_CHAR, '\r', 0);
    ASSERT_EQ(chosen_.size(), 1u);
    EXPECT_FALSE(chosen_[0].isOther);
    EXPECT_EQ(chosen_[0].color, clWhite);

    TColorButtonPalette second(nullptr);
    int closed = 0;
    second.ColorChosen = [&](TColorButtonPalette*, bool, TColor) { FAIL() << "Escape chose a colour"; };
    second.PaletteClosed = [&](TColorButtonPalette*, TCloseAction action) {
        ++closed;
        EXPECT_EQ(action, TCloseAction::caFree);
    };
    SendMessageA(second.Handle(), WM_CHAR, 27, 0);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(second.ClosedByKey());
}

TEST_F(ColorPalette, AClickChoosesTheCellUnderItAndClosesEvenOffTheCells) {
    palette_->SetOtherColor(RGBColor(9, 8, 7));
    const struct {
        int x, y;
        bool chooses, isOther;
        TColor color;
    } clicks[] = {
        {20, 40, true, false, RGBColor(0, 127, 0)}, // cell (2, 3)
        {60, 100, true, true, RGBColor(9, 8, 7)},   // the other cell
        {30, 95, false, false, 0},                  // the etched line: no cell
    };
    for (const auto& c : clicks) {
        chosen_.clear();
        TColorButtonPalette palette(nullptr);
        palette.SetOtherColor(RGBColor(9, 8, 7));
        int closed = 0;
        palette.ColorChosen = [&](TColorButtonPalette*, bool isOther, TColor color) {
            chosen_.push_back({isOther, color});
        };
        palette.PaletteClosed = [&](TColorButtonPalette*, TCloseAction) { ++closed; };
        SendMessageA(palette.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
        SendMessageA(palette.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(closed, 1) << c.x << "," << c.y;
        ASSERT_EQ(chosen_.size(), c.chooses ? 1u : 0u) << c.x << "," << c.y;
        if (c.chooses) {
            EXPECT_EQ(chosen_[0].isOther, c.isOther);
            EXPECT_EQ(chosen_[0].color, c.color);
        }
    }
}

TEST_F(ColorPalette, HintsShowTheRgbOfTheCellAndTheEventMayChangeThem) {
    EXPECT_EQ(palette_->GetColorHintText({1, 2}), "RGB = 255 000 000");
    const COLORREF face = Sys(COLOR_BTNFACE);
    EXPECT_EQ(palette_->GetColorHintText({0, 0}), clrbtn::ColorHintText(face));
    EXPECT_EQ(palette_->GetColorHintText(cbtnform::kNoCell), "");
    palette_->OnGetColorHintText = [](TComponent* sender, TColor color, int x, int y, std::string& hint) {
        EXPECT_EQ(sender, nullptr);
        hint = hint + " at " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(color);
    };
    EXPECT_EQ(palette_->GetColorHintText({4, 1}), "RGB = 127 127 127 at 4,1 8355711");
    // One tool tip area per cell while hints are on, none when off.
    EXPECT_EQ(SendMessageA(HintWindowOf(palette_->Handle()), TTM_GETTOOLCOUNT, 0, 0), 21);
    palette_->SetShowHints(false);
    EXPECT_EQ(SendMessageA(HintWindowOf(palette_->Handle()), TTM_GETTOOLCOUNT, 0, 0), 0);
}

namespace {
class ColorButton : public ::testing::Test {
  protected:
    void SetUp() override {
        SetCursorPos(1000, 760);
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetBounds(200, 200, 300, 200);
        button_ = new DrawnButton(form_.get(), form_.get(), {10, 10, 45, 25});
        button_->SetName("ClBtn");
        button_->OnColorChange = [this](TComponent*) { ++changes_; };
    }
    std::unique_ptr<TForm> form_;
    DrawnButton* button_ = nullptr;
    int changes_ = 0;
};
} // namespace

TEST_F(ColorButton, StartsBlackWithTheDefaultPaletteAndWhiteCustomColours) {
    EXPECT_EQ(button_->Color(), clBlack);
    EXPECT_EQ(button_->PaletteIndex(), 0);
    EXPECT_EQ(button_->OtherColor(), clBtnFace);
    EXPECT_EQ(button_->OtherBtnCaption(), "&Other");
    EXPECT_EQ(button_->PaletteColors().Item(5), clRed);
    EXPECT_EQ(button_->CustomColors().Get(8, 2), clWhite);
    EXPECT_TRUE(button_->ShowColorHints());
    EXPECT_FALSE(button_->Flat());
    EXPECT_EQ(button_->Version(), "TColorButton v1.0");
    EXPECT_EQ(changes_, 0);
}

TEST_F(ColorButton, ColourChangesFireOnceAndSetThePaletteIndex) {
    button_->SetColor(clBlack);
    EXPECT_EQ(changes_, 0);
    button_->SetColor(clRed);
    EXPECT_EQ(button_->PaletteIndex(), 5);
    button_->SetColor(clSilver);
    EXPECT_EQ(button_->PaletteIndex(), 0);
    EXPECT_EQ(changes_, 2);
    button_->SelectPaletteIndex(0); // already 0: nothing
    button_->SelectPaletteIndex(21);
    button_->SelectPaletteIndex(-1);
    EXPECT_EQ(changes_, 2);
    button_->SelectPaletteIndex(20);
    EXPECT_EQ(button_->Color(), RGBColor(159, 159, 159));
    button_->SelectPaletteIndex(0);
    EXPECT_EQ(button_->Color(), clBtnFace);
    EXPECT_EQ(changes_, 4);
}

TEST_F(ColorButton, CyclingClicksStepThroughThePaletteAndTheArrowStillDropsItDown) {
    form_->Show();
    button_->SetCycleColors(true);
    POINT colourPart{12, 12};
    ClientToScreen(button_->Handle(), &colourPart);
    support::MovePointer(colourPart.x, colourPart.y);
    for (int i = 1; i <= 21; ++i)
        button_->Press();
    EXPECT_EQ(changes_, 21);
    EXPECT_EQ(button_->Color(), clBtnFace); // the 20 colours, then the other colour
    button_->Press();
    EXPECT_EQ(button_->Color(), clWhite);
    EXPECT_EQ(button_->Palette(), nullptr);

    POINT arrowPart{40, 12};
    ClientToScreen(button_->Handle(), &arrowPart);
    support::MovePointer(arrowPart.x, arrowPart.y);
    button_->Press();
    ASSERT_NE(button_->Palette(), nullptr);
    // A press with the palette still open closes it; with the pointer away from the button no click
    // is left to ignore, so the next press on the arrow opens it again.
    support::MovePointer(0, 0);
    button_->Press();
    EXPECT_EQ(button_->Palette(), nullptr);
    support::MovePointer(arrowPart.x, arrowPart.y);
    button_->Press();
    EXPECT_NE(button_->Palette(), nullptr);
}

TEST_F(ColorButton, TheDropDownOpensBelowTheButtonAndItsCloseHandsTheCustomColoursBack) {
    form_->Show();
    button_->SetColor(clBlue);
    button_->Press();
    TColorButtonPalette* palette = button_->Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(IsWindowVisible(palette->Handle()));
    EXPECT_EQ(GetFocus(), palette->Handle());
    EXPECT_EQ(GetWindow(palette->Handle(), GW_OWNER), form_->Handle());
    RECT buttonRect{}, paletteRect{};
    GetWindowRect(button_->Handle(), &buttonRect);
    GetWindowRect(palette->Handle(), &paletteRect);
    EXPECT_EQ(paletteRect.left, buttonRect.left);
    EXPECT_EQ(paletteRect.top, buttonRect.bottom);
    EXPECT_EQ(palette->Highlighted(), (TCell{1, 4}));

    // Drawn pressed while open: the bar moves one pixel right and down.
    Canvas canvas(45, 25);
    button_->DrawInto(canvas.Dc(), 0);
    EXPECT_EQ(canvas.Pixel(7, 6), Sys(COLOR_WINDOWFRAME));

    palette->CustomColors().Set(3, 2, clLime);
    SendMessageA(palette->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(palette->Handle(), WM_CHAR, '\r', 0);
    EXPECT_EQ(button_->Color(), RGBColor(0, 0, 127));
    EXPECT_EQ(button_->CustomColors().Get(3, 2), clLime);
    EXPECT_EQ(button_->Palette(), nullptr);
    Pump();           // the closed palette is freed
    button_->Press(); // closed by a key: the next press opens it again
    EXPECT_NE(button_->Palette(), nullptr);
}

TEST_F(ColorButton, PaintsBarSeparatorAndArrowAndHatchesTheBarWhenDisabled) {
    button_->SetColor(RGBColor(10, 200, 30));
    Canvas canvas(45, 25);
    button_->DrawInto(canvas.Dc(), 0);
    const clrbtn::TButtonLayout at = clrbtn::ButtonLayout(45, 25, false, 5);
    EXPECT_EQ(canvas.Pixel(at.bar.left, at.bar.top), Sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(canvas.Pixel(at.bar.right - 1, at.bar.bottom - 1), Sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(canvas.Pixel(at.bar.left + 1, at.bar.top + 1), RGB(10, 200, 30));
    EXPECT_EQ(canvas.Pixel(at.bar.right - 2, at.bar.bottom - 2), RGB(10, 200, 30));
    EXPECT_EQ(canvas.Pixel(at.shadowX, at.bar.top + 3), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(at.highlightX, at.bar.top + 3), Sys(COLOR_BTNHIGHLIGHT));
    // The arrow: rows of 5, 3 and 1 black pixels, centred in its 7 x 5 picture.
    EXPECT_EQ(canvas.Pixel(at.arrow.x + 1, at.arrow.y + 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(at.arrow.x + 5, at.arrow.y + 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(at.arrow.x + 3, at.arrow.y + 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(at.arrow.x + 2, at.arrow.y + 3), Sys(COLOR_BTNFACE));

    button_->SetEnabled(false);
    button_->DrawInto(canvas.Dc(), ODS_DISABLED);
    int black = 0, face = 0;
    for (int y = at.bar.top + 1; y < at.bar.bottom - 1; ++y)
        for (int x = at.bar.left + 1; x < at.bar.right - 1; ++x) {
            const COLORREF p = canvas.Pixel(x, y);
            black += p == RGB(0, 0, 0);
            face += p == Sys(COLOR_BTNFACE);
        }
    const int inside = (at.bar.right - at.bar.left - 2) * (at.bar.bottom - at.bar.top - 2);
    EXPECT_EQ(black + face, inside);            // only the hatch's lines and the face show
    EXPECT_NEAR(black * 4, inside, inside / 4); // one pixel in four on the diagonals
    EXPECT_NE(canvas.Pixel(at.arrow.x + 3, at.arrow.y + 3), RGB(0, 0, 0)); // the grey arrow
}

TEST_F(ColorButton, CustomColoursPersistUnderTheirKeyWhenOneIsSet) {
    const char* key = "Software\\tnwk-tests\\ColorButton";
    RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(key) + "\\Colors").c_str());
    auto keeper = [&] {
        auto* button = new TColorButton(form_.get(), form_.get(), {60, 10, 45, 25});
        button->SetName("Keeper");
        button->SetCustomColorsKey(key);
        button->Loaded();
        return button;
    };
    TColorArrayClass custom(8, 2);
    custom.Set(1, 1, RGBColor(1, 2, 3));
    custom.Set(8, 2, RGBColor(4, 5, 6));
    HKEY opened = nullptr;
    for (const bool save : {false, true}) {
        TColorButton* saver = keeper();
        saver->SetCustomColors(custom);
        if (save)
            saver->SaveCustomColors();
        delete saver;
        if (!save)
            ASSERT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(key) + "\\Colors").c_str(), 0, KEY_READ,
                                    &opened),
                      ERROR_SUCCESS)
                << "a button's destruction writes nothing";
    }
    RegKey colours;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(key) + "\\Colors").c_str(), 0, KEY_READ, &opened),
              ERROR_SUCCESS);
    colours.reset(opened);
    char text[256] = {};
    DWORD size = sizeof text;
    // The form has no name, so the value is named after the button alone.
    ASSERT_EQ(
        RegQueryValueExA(colours.get(), "Keeper", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::string(text, 20), "$00030201,$00000000,");

    TColorButton* loader = keeper();
    EXPECT_EQ(loader->CustomColors().Get(1, 1), RGBColor(1, 2, 3));
    EXPECT_EQ(loader->CustomColors().Get(8, 2), RGBColor(4, 5, 6));
    delete loader;
    colours.reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(key) + "\\Colors").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\tnwk-tests");
}
