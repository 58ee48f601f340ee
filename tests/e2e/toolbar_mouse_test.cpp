// The toolbar under the real pointer: the X server's pointer is moved and clicked by xdotool (through
// scripts/real-mouse.sh, which carries out this program's requests), and the toolbar reports its
// buttons' hover state.
#include "e2e/driver.h"

#include "controls/TbTlbr_core.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace e2e;

namespace {
// The folder the script watches, as this program sees it; empty when not run through the script.
std::string RequestFolder() {
    const char* dir = std::getenv("TNWK_MOUSE_DIR");
    if (!dir || !*dir)
        return {};
    std::string path = std::string("Z:") + dir;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Asks the script to run xdotool with the arguments and waits until it has.
bool Xdotool(const std::string& arguments) {
    const std::string folder = RequestFolder();
    const std::string request = JoinPath(folder, "request");
    WriteFileBytes(request + ".tmp", arguments);
    MoveFileA((request + ".tmp").c_str(), request.c_str());
    return WaitUntil([&] { return !FileExists(request); }, 5000);
}

class ToolbarRealMouse : public ::testing::Test {
  protected:
    void SetUp() override {
        if (RequestFolder().empty())
            GTEST_SKIP() << "moves the real pointer: run through scripts/real-mouse.sh";
        ResetSettings();
        app_ = StartTarnwick("", FreshFolder("toolbar-mouse"));
        main_ = WaitForWindow(app_.Id(), kMainCaption, 15000);
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(Settled(main_, 5000));
        // Without a window manager a click gives the window the focus.
        ASSERT_TRUE(MoveTo(main_, 150, 112));
        ASSERT_TRUE(Xdotool("click 1"));
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }, 3000));
    }
    void TearDown() override {
        if (HWND about = FindWindowOf(app_.Id(), "About Tarnwick..."))
            Close(about);
        if (main_)
            Close(main_);
        app_.WaitForExit(10000);
    }
    // Moves the pointer to a point of a window's client area and checks that it got there.
    bool MoveTo(HWND wnd, int x, int y) {
        POINT pt{x, y};
        ClientToScreen(wnd, &pt);
        if (!Xdotool("mousemove " + std::to_string(pt.x) + " " + std::to_string(pt.y)))
            return false;
        return WaitUntil(
            [&] {
                POINT at;
                return GetCursorPos(&at) && at.x == pt.x && at.y == pt.y;
            },
            2000);
    }
    bool MoveOnto(const ToolItem& item) { return MoveTo(item.toolbar, item.left + 12, 12); }
    static bool Hot(const ToolItem& item) {
        const int flags = ToolButtonFlags(item);
        return flags > 0 && (flags & tbtlbr::kItemHot) && (flags & tbtlbr::kItemMouseIn);
    }
    static bool Framed(const ToolItem& item) { return (ToolButtonFlags(item) & tbtlbr::kItemMouseIn) != 0; }

    Process app_;
    HWND main_ = nullptr;
};
} // namespace

TEST_F(ToolbarRealMouse, TheHoverFrameFollowsThePointerAndGoesWithinAnInterval) {
    const ToolItem cwin = ToolButtonAt(main_, 25), about = ToolButtonAt(main_, 56),
                   help = ToolButtonAt(main_, 81);
    ASSERT_TRUE(cwin && about && help);
    ASSERT_TRUE(MoveOnto(about));
    EXPECT_TRUE(WaitUntil([&] { return Hot(about); }, 2000));
    // Straight to the next button: the frame moves with no button left framed.
    ASSERT_TRUE(MoveOnto(help));
    EXPECT_TRUE(WaitUntil([&] { return Hot(help); }, 2000));
    EXPECT_FALSE(Framed(about));
    // Off the toolbar: the frame is gone within one interval (and the time to ask).
    const auto left = std::chrono::steady_clock::now();
    ASSERT_TRUE(MoveTo(main_, 150, 112));
    EXPECT_TRUE(WaitUntil([&] { return !Framed(help); }, 2000));
    EXPECT_LT(std::chrono::steady_clock::now() - left, std::chrono::milliseconds(400));
    // A disabled button shows none.
    ASSERT_TRUE(MoveOnto(cwin));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(Framed(cwin));
    EXPECT_EQ(ToolButtonFlags(cwin) >> 8, 1); // the disabled state
}

TEST_F(ToolbarRealMouse, AClickOpensTheAboutBoxAndAPressDraggedOffDoesNot) {
    const ToolItem about = ToolButtonAt(main_, 56);
    ASSERT_TRUE(about);
    ASSERT_TRUE(MoveOnto(about));
    ASSERT_TRUE(Xdotool("mousedown 1"));
    EXPECT_TRUE(WaitUntil([&] { return ToolButtonFlags(about) >> 8 == 2; }, 2000)); // down
    ASSERT_TRUE(MoveTo(main_, 150, 112));
    EXPECT_TRUE(WaitUntil([&] { return ToolButtonFlags(about) >> 8 == 0; }, 2000)); // up while outside
    ASSERT_TRUE(Xdotool("mouseup 1"));
    EXPECT_TRUE(Settled(main_, 2000));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(FindWindowOf(app_.Id(), "About Tarnwick..."), nullptr);
    EXPECT_FALSE(Framed(about));

    ASSERT_TRUE(MoveOnto(about));
    ASSERT_TRUE(Xdotool("click 1"));
    HWND box = WaitForWindow(app_.Id(), "About Tarnwick...", 5000);
    ASSERT_NE(box, nullptr);
    Close(box);
    ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(app_.Id(), "About Tarnwick...") == nullptr; }, 5000));
}
