// The toolbar's row layout, separator lines, glyph strip rules and the button's state machine.
#include "controls/TbCtls_core.h"
#include "controls/TbTlbr_core.h"

#include "base/SysUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tbctls;
using namespace tbtlbr;

namespace {
TItem Button(int left, int width = 25, int height = 25) {
    return {TItemKind::button, true, left, width, height, kDefaultSeparatorSize};
}
TItem Sep(int left, int size = kDefaultSeparatorSize) {
    return {TItemKind::separator, true, left, 0, 0, size};
}
std::vector<int> Lefts(const TArrangement& a) {
    std::vector<int> lefts;
    for (const TBounds& r : a.bounds)
        lefts.push_back(r.left);
    return lefts;
}
} // namespace

TEST(ToolbarLayout, BothWindowsRowsGiveTheStoredPositions) {
    struct Case {
        const char* window;
        std::vector<TItem> items;
        std::vector<int> lefts;
    };
    const TItem colour{TItemKind::control, true, 112, 45, 25, 0};
    const std::vector<Case> cases = {
        {"main",
         {Button(0), Button(25), Sep(50), Button(56), Button(81), Sep(106, 10), Button(116)},
         {0, 25, 50, 56, 81, 106, 116}},
        {"output",
         {Button(0), Button(25), Sep(50), Button(56), Button(81), Sep(106), colour, Button(157), Sep(182),
          Button(188), Sep(213), Button(219)},
         {0, 25, 50, 56, 81, 106, 112, 157, 182, 188, 213, 219}},
    };
    for (const Case& c : cases) {
        const TArrangement a = ArrangeDocked(c.items);
        EXPECT_EQ(a.rowHeight, 25) << c.window;
        EXPECT_EQ(DockedHeight(a.rowHeight), 29) << c.window;
        EXPECT_EQ(Lefts(a), c.lefts) << c.window;
        for (std::size_t i = 0; i < c.items.size(); ++i) {
            const bool sep = c.items[i].kind == TItemKind::separator;
            EXPECT_EQ(a.bounds[i].top, 0) << c.window << i;
            EXPECT_EQ(a.bounds[i].height, 25) << c.window << i;
            EXPECT_EQ(a.bounds[i].width, sep ? c.items[i].sizeHorz : c.items[i].width) << c.window << i;
        }
    }
}

TEST(ToolbarLayout, RowHeightOrderAndHiddenItems) {
    // A 22 x 23 button in a row made 25 high by another sits one pixel down (rounded toward zero).
    TArrangement a = ArrangeDocked({Button(0, 22, 23), Button(22, 25, 25), Sep(47)});
    EXPECT_EQ(a.bounds[0], (TBounds{0, 1, 22, 23}));
    EXPECT_EQ(a.bounds[2], (TBounds{47, 0, 6, 25}));
    // Separators alone give the least row height; hidden items take no space.
    a = ArrangeDocked({Sep(0), Sep(6)});
    EXPECT_EQ(a.rowHeight, 8);
    std::vector<TItem> items = {Button(0), Button(25), Button(50)};
    items[1].visible = false;
    EXPECT_EQ(Lefts(ArrangeDocked(items))[2], 25);
    EXPECT_EQ(ArrangeDocked(items).rowHeight, 25);
    // The toolbar's order is that of the stored positions, equal ones in the order added.
    EXPECT_EQ(ToolbarOrder({Button(50), Button(0), Sep(25), Button(0)}),
              (std::vector<std::size_t>{1, 3, 2, 0}));
}

TEST(ToolbarLayout, SeparatorLinesSitAtTheMiddleAndOnlyToolbarsTakeSeparators) {
    EXPECT_EQ(SeparatorLines(6), (TSeparatorLines{2, 3}));
    EXPECT_EQ(SeparatorLines(10), (TSeparatorLines{4, 5}));
    EXPECT_EQ(SeparatorLines(7), (TSeparatorLines{2, 3}));
    EXPECT_NO_THROW(CheckSeparatorParent(true));
    try {
        CheckSeparatorParent(false);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "TToolbarSep can only be placed on a TToolbar");
    }
}

TEST(ToolbarGlyph, StripCounts) {
    struct Case {
        int width, height, images;
    };
    for (const Case& c : std::vector<Case>{{32, 16, 2},
                                           {96, 16, 1},
                                           {80, 16, 5},
                                           {16, 16, 1},
                                           {17, 17, 1},
                                           {40, 16, 1},
                                           {0, 16, 1},
                                           {16, 0, 1}})
        EXPECT_EQ(NumGlyphsForGlyph(c.width, c.height), c.images) << c.width << "x" << c.height;
    for (const auto& [stored, used] :
         std::vector<std::pair<int, int>>{{0, 1}, {-2, 1}, {3, 3}, {5, 5}, {6, 5}})
        EXPECT_EQ(ClampNumGlyphs(stored), used) << stored;
}

TEST(ToolbarGlyph, ImageOfEachStateByImageCount) {
    using S = TButtonState;
    struct Case {
        S state;
        int numGlyphs, image;
    };
    for (const Case& c : std::vector<Case>{{S::bsUp, 1, 0},
                                           {S::bsDisabled, 1, kDerivedDisabled},
                                           {S::bsDisabled, 2, 1},
                                           {S::bsDown, 2, 0},
                                           {S::bsDown, 3, 2},
                                           {S::bsExclusive, 3, 0},
                                           {S::bsExclusive, 4, 3},
                                           {S::bsMouseIn, 4, 0},
                                           {S::bsMouseIn, 5, 4}})
        EXPECT_EQ(ImageForState(c.state, c.numGlyphs), c.image)
            << static_cast<int>(c.state) << " of " << c.numGlyphs;
}

TEST(ToolbarGlyph, BorderAndGlyphPlaceByState) {
    using S = TButtonState;
    struct Case {
        TButtonLook look;
        TBorder border;
        TPoint origin; // of a 16 x 16 glyph
    };
    const std::vector<Case> cases = {
        {{25, 25, true, false, S::bsUp, false}, TBorder::none, {5, 5}},
        {{25, 25, true, false, S::bsMouseIn, true}, TBorder::raised, {5, 5}},
        {{25, 25, true, false, S::bsDown, true}, TBorder::sunken, {6, 6}},
        {{25, 25, true, false, S::bsExclusive, false}, TBorder::sunken, {6, 6}},
        {{25, 25, true, false, S::bsDisabled, true}, TBorder::none, {5, 5}},
        {{25, 25, true, true, S::bsDown, true}, TBorder::none, {6, 6}},
        {{25, 25, false, false, S::bsUp, false}, TBorder::raised, {5, 5}},
        {{22, 23, true, false, S::bsUp, false}, TBorder::none, {3, 4}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BorderOf(c.look), c.border) << static_cast<int>(c.look.state) << c.look.flat;
        EXPECT_EQ(GlyphOrigin(c.look, 16, 16), c.origin) << static_cast<int>(c.look.state) << c.look.flat;
    }
    // The 17 x 17 glyph of "Insert projectpath.".
    EXPECT_EQ(GlyphOrigin({25, 25, true, false, S::bsUp, false}, 17, 17), (TPoint{4, 4}));
}

namespace {
// A button whose pointer position and application state the test sets; it logs what it is asked.
class FakeButton : public TButtonLogic {
  public:
    explicit FakeButton(std::string name, std::string* log) : name_(std::move(name)), log_(log) {}
    ~FakeButton() override { DropHot(); }
    bool over = false;
    static inline bool active = true;

  protected:
    bool PointerOver() const override { return over; }
    bool ApplicationActive() const override { return active; }
    bool RepaintsOnEnter() const override { return true; }
    void Repaint() override {}
    void StartHoverTimer() override { Log("start"); }
    void StopHoverTimer() override { Log("stop"); }
    void ReleaseMouse() override { Log("release"); }
    void MouseEntered() override { Log("enter"); }
    void MouseExited() override { Log("exit"); }
    void Clicked() override { Log("click"); }

  private:
    void Log(const char* what) { *log_ += name_ + "." + what + " "; }
    std::string name_;
    std::string* log_;
};

class ToolbarButtonStates : public ::testing::Test {
  protected:
    void TearDown() override { FakeButton::active = true; }
    // Moves the pointer onto `to` (off the other button) and reports the move.
    void HoverOnto(FakeButton& to) {
        a.over = &to == &a;
        b.over = &to == &b;
        to.MouseMoved();
    }
    std::string log;
    FakeButton a{"a", &log};
    FakeButton b{"b", &log};
};
} // namespace

TEST_F(ToolbarButtonStates, OneHotButtonMovesAtOnceAndLeavesOnTheTimer) {
    HoverOnto(a);
    EXPECT_EQ(a.State(), TButtonState::bsMouseIn);
    EXPECT_EQ(TButtonLogic::HotButton(), &a);
    a.MouseMoved(); // more moves over the hot button change nothing
    HoverOnto(b);   // the previous button leaves before the next one enters
    EXPECT_EQ(log, "a.start a.enter a.stop a.exit b.start b.enter ");
    EXPECT_EQ(a.State(), TButtonState::bsUp);
    EXPECT_FALSE(a.MouseInControl());
    log.clear();
    TButtonLogic::HoverTimerFired(); // still over b
    EXPECT_EQ(log, "");
    b.over = false;
    TButtonLogic::HoverTimerFired();
    EXPECT_EQ(log, "b.stop b.exit ");
    EXPECT_EQ(TButtonLogic::HotButton(), nullptr);
    EXPECT_EQ(b.State(), TButtonState::bsUp);
}

TEST_F(ToolbarButtonStates, NoFrameWhileTheProgramIsInactiveOrTheButtonDisabled) {
    FakeButton::active = false;
    HoverOnto(a);
    EXPECT_EQ(TButtonLogic::HotButton(), nullptr);
    EXPECT_EQ(a.State(), TButtonState::bsUp);
    a.SetShowBorderWhenInactive(true);
    a.MouseMoved();
    EXPECT_EQ(a.State(), TButtonState::bsMouseIn);
    a.SetShowBorderWhenInactive(false);
    TButtonLogic::HoverTimerFired(); // a frame shown while active goes when the program is left
    EXPECT_EQ(a.State(), TButtonState::bsUp);

    FakeButton::active = true;
    b.SetEnabled(false);
    HoverOnto(b);
    b.LeftButtonDown();
    b.LeftButtonUp(true);
    EXPECT_EQ(TButtonLogic::HotButton(), nullptr);
    EXPECT_EQ(b.State(), TButtonState::bsDisabled);
    EXPECT_EQ(log.find("b.click"), std::string::npos);
}

TEST_F(ToolbarButtonStates, PressDragOffAndBackThenReleaseClicksOnlyInside) {
    HoverOnto(a);
    a.LeftButtonDown();
    EXPECT_EQ(a.State(), TButtonState::bsDown);
    EXPECT_TRUE(a.MousePressed());
    a.over = false;
    a.MovedWhilePressed(false);
    EXPECT_EQ(a.State(), TButtonState::bsUp);
    TButtonLogic::HoverTimerFired(); // a pressed button keeps its frame
    EXPECT_TRUE(a.MouseInControl());
    a.MovedWhilePressed(true);
    EXPECT_EQ(a.State(), TButtonState::bsDown);
    a.MovedWhilePressed(false);
    log.clear();
    a.LeftButtonUp(false);
    EXPECT_EQ(log, "a.stop a.exit ");
    EXPECT_EQ(a.State(), TButtonState::bsUp);
    EXPECT_FALSE(a.MousePressed());

    log.clear();
    HoverOnto(a);
    a.LeftButtonDown();
    a.LeftButtonUp(true); // a click leaves, fires, and enters again as the pointer is still there
    EXPECT_EQ(log, "a.start a.enter a.stop a.exit a.click a.start a.enter ");
    EXPECT_EQ(a.State(), TButtonState::bsMouseIn);
}

TEST_F(ToolbarButtonStates, DisablingDropsHoverAndPressAndEnablingComesBackUp) {
    HoverOnto(a);
    a.LeftButtonDown();
    log.clear();
    a.SetEnabled(false);
    EXPECT_EQ(log, "a.stop a.release ");
    EXPECT_EQ(a.State(), TButtonState::bsDisabled);
    EXPECT_FALSE(a.MouseInControl());
    EXPECT_FALSE(a.MousePressed());
    EXPECT_EQ(TButtonLogic::HotButton(), nullptr);
    a.LeftButtonUp(true);
    EXPECT_EQ(log.find("click"), std::string::npos);
    a.SetEnabled(true);
    EXPECT_EQ(a.State(), TButtonState::bsUp);
    HoverOnto(b);
    b.LeftButtonDown();
    b.RightButtonUp(); // a right release ends the press and the hover
    EXPECT_FALSE(b.MousePressed());
    EXPECT_FALSE(b.MouseInControl());
    b.PressCancelled();
}

TEST_F(ToolbarButtonStates, AGroupedButtonTogglesDownAndShowsExclusive) {
    a.SetGroupIndex(1);
    HoverOnto(a);
    a.LeftButtonDown();
    a.LeftButtonUp(true);
    EXPECT_TRUE(a.Down());
    a.over = false;
    TButtonLogic::HoverTimerFired();
    EXPECT_EQ(a.State(), TButtonState::bsExclusive);
    a.SetEnabled(false);
    a.SetEnabled(true);
    EXPECT_EQ(a.State(), TButtonState::bsExclusive);
    a.Click();
    EXPECT_FALSE(a.Down());
    EXPECT_EQ(a.State(), TButtonState::bsUp);
}

TEST_F(ToolbarButtonStates, AHotButtonThatGoesStopsTheTimer) {
    {
        FakeButton c("c", &log);
        c.over = true;
        c.MouseMoved();
    }
    EXPECT_EQ(TButtonLogic::HotButton(), nullptr);
    EXPECT_EQ(log, "c.start c.enter c.stop ");
}
