// The painted decorations of the running program: the busy gauge moves while the compiler runs (and
// nothing else in the main window changes), and the gradient caption bars of the captioned windows.
#include "e2e/driver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// The pixels of a screen rectangle (the Wine desktop is one screen for every process).
std::vector<std::uint32_t> Grab(const RECT& rc) {
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = source[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::uint32_t SysRgb(int index) {
    const COLORREF c = GetSysColor(index);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// The caption bar as the gradient caption computes it: inside the frame, left of the caption buttons.
RECT CaptionBar(HWND wnd) {
    RECT rc{};
    GetWindowRect(wnd, &rc);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE));
    const bool sizeable = (style & WS_THICKFRAME) != 0;
    const int fx = GetSystemMetrics(sizeable ? SM_CXFRAME : SM_CXDLGFRAME);
    const int fy = GetSystemMetrics(sizeable ? SM_CYFRAME : SM_CYDLGFRAME);
    const int buttons = (style & WS_MINIMIZEBOX) || (style & WS_MAXIMIZEBOX) ? 3 : 1;
    return {rc.left + fx, rc.top + fy, rc.right - fx - buttons * GetSystemMetrics(SM_CXSIZE),
            rc.top + fy + GetSystemMetrics(SM_CYCAPTION) - 1};
}

// Saves a screen rectangle as a 32-bit BMP into the folder TNWK_SHOT_DIR names, if any.
void SaveShot(const RECT& rc, const std::string& name) {
    char dir[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("TNWK_SHOT_DIR", dir, sizeof dir);
    if (length == 0 || length >= sizeof dir)
        return;
    const std::vector<std::uint32_t> pixels = Grab(rc);
    const auto bytes = static_cast<DWORD>(pixels.size() * sizeof(std::uint32_t));
    BITMAPINFOHEADER info{
        sizeof info, rc.right - rc.left, -(rc.bottom - rc.top), 1, 32, BI_RGB, bytes, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER file{0x4D42, offset + bytes, 0, 0, offset};
    std::string data(reinterpret_cast<const char*>(&file), sizeof file);
    data.append(reinterpret_cast<const char*>(&info), sizeof info);
    data.append(reinterpret_cast<const char*>(pixels.data()), bytes);
    WriteFileBytes(JoinPath(dir, name + ".bmp"), data);
}

class Decorations : public ::testing::Test {
  protected:
    void TearDown() override {
        if (app_.Running()) {
            if (HWND main = FindWindowOf(app_.Id(), kMainCaption))
                Close(main);
            app_.WaitForExit(15000);
        }
        app_ = Process();
        if (!folder_.empty())
            RemoveFolder(folder_);
    }
    Process app_;
    std::string folder_;
};

} // namespace

TEST_F(Decorations, TheGaugeMovesDuringACompileAndNothingElseInTheWindowDoes) {
    ResetSettings();
    folder_ = FreshFolder("decor-gauge");
    CopyExample("slow", folder_);
    app_ = StartTarnwick("", folder_);
    HWND main = WaitForWindow(app_.Id(), kMainCaption, 20000);
    ASSERT_TRUE(main);
    ASSERT_TRUE(Settled(main, 10000));
    const std::vector<HWND> edits = Children(main, "Edit");
    ASSERT_FALSE(edits.empty());
    ASSERT_TRUE(PostDroppedFiles(edits.front(), {JoinPath(folder_, "slow.dpr")}));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(JoinPath(folder_, "compile.bat")); }, 20000));
    Sleep(300);
    RECT client{};
    GetClientRect(main, &client);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The gauge: busy panel at (53, 20), gauge at (29, 40) inside it, 128 x 20.
    const int gaugeLeft = 53 + 29, gaugeTop = 20 + 40;
    // The caret of the focused edit blinks: a pair of pictures without it changing is looked for.
    bool onlyTheGauge = false;
    for (int attempt = 0; attempt < 6 && !onlyTheGauge; ++attempt) {
        const std::vector<std::uint32_t> before = Grab(client);
        Sleep(170);
        const std::vector<std::uint32_t> after = Grab(client);
        const int width = client.right - client.left;
        int inside = 0, outside = 0;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i] == after[i])
                continue;
            const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
            const bool inGauge = x >= gaugeLeft && x < gaugeLeft + 128 && y >= gaugeTop && y < gaugeTop + 20;
            (inGauge ? inside : outside)++;
        }
        onlyTheGauge = inside > 0 && outside == 0;
    }
    EXPECT_TRUE(onlyTheGauge);
}

namespace {

// Checks a window's caption bar once painted: the gradient (active) or the plain inactive colour. The
// top strip of the window goes to TNWK_SHOT_DIR as captions-<name>.bmp when that folder is set, to be
// looked at.
bool CaptionBarShows(HWND wnd, bool active, const std::string& name) {
    const RECT bar = CaptionBar(wnd);
    const std::uint32_t end = SysRgb(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    std::vector<std::uint32_t> top;
    // The ramp's start lies left of the bar: its first column is already a fifth of the way on.
    const bool painted = WaitUntil(
        [&] {
            top = Grab({bar.left, bar.top, bar.right, bar.top + 1});
            return top.back() == end &&
                   (active ? top.front() != 0x000080u && top.front() != end : top.front() == end);
        },
        3000);
    RECT strip{};
    GetWindowRect(wnd, &strip);
    strip.bottom = bar.bottom + 4;
    SaveShot(strip, "captions-" + name);
    return painted;
}

// A window of the test's own in the corner takes the activation from the program's windows.
class Bystander {
  public:
    Bystander()
        : wnd_(CreateWindowExA(0, "STATIC", "bystander", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 700, 60, 40,
                               nullptr, nullptr, nullptr, nullptr)) {
        SetForegroundWindow(wnd_);
        SetActiveWindow(wnd_);
    }
    ~Bystander() { DestroyWindow(wnd_); }
    Bystander(const Bystander&) = delete;
    Bystander& operator=(const Bystander&) = delete;

  private:
    HWND wnd_;
};

} // namespace

TEST_F(Decorations, CaptionBarsRunFromNavyAndGoPlainWhenInactive) {
    ResetSettings(false); // the first start: the welcome dialog, then the preferences window
    folder_ = FreshFolder("decor-caption");
    app_ = StartTarnwick("", folder_);
    auto check = [&](const char* caption, const std::string& name) {
        HWND wnd = WaitForWindow(app_.Id(), caption, 20000);
        if (!wnd || !Settled(wnd, 10000))
            return HWND{};
        EXPECT_TRUE(CaptionBarShows(wnd, true, name + "-active")) << name;
        {
            const Bystander other;
            EXPECT_TRUE(CaptionBarShows(wnd, false, name + "-inactive")) << name;
        }
        SetForegroundWindow(wnd);
        return wnd;
    };
    HWND start = check(kStartCaption, "welcome");
    ASSERT_TRUE(start);
    Click(FindChild(start, "OK"));
    HWND prefs = check(kPrefsCaption, "preferences");
    ASSERT_TRUE(prefs);
    Close(prefs);
    HWND main = check(kMainCaption, "main");
    ASSERT_TRUE(main);
    // The preferences window over it (moved off its bar): the main window's bar is plain inactive colour.
    Click(OptionsButton(main));
    prefs = WaitForWindow(app_.Id(), kPrefsCaption, 20000);
    ASSERT_TRUE(prefs);
    RECT rc{};
    GetWindowRect(main, &rc);
    SetWindowPos(prefs, nullptr, rc.left, rc.bottom + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(CaptionBarShows(main, false, "main-under-preferences"));
    Close(prefs);
}

TEST_F(Decorations, TheAboutBoxShowsItsTwoLinksAndTheDogsEar) {
    ResetSettings();
    folder_ = FreshFolder("decor-about");
    app_ = StartTarnwick("", folder_);
    HWND main = WaitForWindow(app_.Id(), kMainCaption, 20000);
    ASSERT_TRUE(main);
    ASSERT_TRUE(Settled(main, 10000));
    Click(ToolButtonAt(main, 56));
    HWND box = WaitForWindow(app_.Id(), "About Tarnwick...", 5000);
    ASSERT_TRUE(box);
    EXPECT_TRUE(FindChild(box, "tarnwick@wrenworks.org", "Static"));
    EXPECT_TRUE(FindChild(box, "www.wrenworks.org", "Static"));
    // The dog's-ear: 30 x 30 at (0, 195) of the panel at (8, 8); its page is the upper-right half.
    POINT origin{8, 8 + 195};
    ClientToScreen(box, &origin);
    const RECT ear{origin.x, origin.y, origin.x + 30, origin.y + 30};
    const auto at = [](const std::vector<std::uint32_t>& p, int x, int y) { return p[y * 30 + x]; };
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<std::uint32_t> p = Grab(ear);
            return at(p, 26, 3) == SysRgb(COLOR_WINDOW) && at(p, 3, 26) == SysRgb(COLOR_BTNFACE) &&
                   at(p, 15, 15) == SysRgb(COLOR_WINDOWFRAME) && at(p, 0, 29) == SysRgb(COLOR_BTNFACE);
        },
        5000));
    Close(box);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowOf(app_.Id(), "About Tarnwick...") == nullptr; }, 5000));
}
