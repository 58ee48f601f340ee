// Which window is active and where the keys go, with the real keyboard and mouse: after a compile,
// when the output window shows, after each dialog of the output window, after a print and after the
// colour palette; and that closing a modal window or a message box keeps the activation in the
// program while a window of another program waits beside it.
#include "e2e/driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace e2e;

namespace {
constexpr int kCompileTimeoutMs = 40000;

// Clicks a point of a window's client area with the real pointer.
bool RealClickIn(HWND wnd, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(wnd, &pt);
    return RealClickAt(pt.x, pt.y);
}

// Whether `front` lies above `back` in the desktop's z-order.
bool Above(HWND front, HWND back) {
    for (HWND wnd = GetTopWindow(nullptr); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        if (wnd == front)
            return true;
        if (wnd == back)
            return false;
    }
    return false;
}

class Activation : public ::testing::Test {
  protected:
    void SetUp() override { ResetSettings(); }

    void TearDown() override {
        if (app_.Running() && main_) {
            Close(main_);
            app_.WaitForExit(15000);
        }
        app_ = Process();
        RemoveFolder(folder_);
    }

    void StartIn(const std::string& name) {
        folder_ = FreshFolder(name);
        CopyExample("hello", folder_);
        CopyExample("broken", folder_);
        app_ = StartTarnwick("", folder_);
        main_ = WaitForWindow(app_.Id(), kMainCaption, kCompileTimeoutMs);
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(Settled(main_, 15000));
    }

    // The window is the foreground window, and still is once its thread has handled what was queued.
    static bool Active(HWND wnd) {
        return WaitUntil([&] { return GetForegroundWindow() == wnd; }, 5000) && Settled(wnd, 5000) &&
               GetForegroundWindow() == wnd;
    }
    ::testing::AssertionResult Focused(HWND control) const {
        if (WaitUntil([&] { return GuiState(control).hwndFocus == control; }, 5000))
            return ::testing::AssertionSuccess();
        HWND focus = GuiState(control).hwndFocus;
        return ::testing::AssertionFailure() << "the focus is on " << (focus ? ClassOf(focus) : "nothing")
                                             << " \"" << (focus ? WindowText(focus) : "") << "\"";
    }

    // Waits until the compile job has ended and the program handles messages again.
    bool CompileEnded() const {
        return WaitUntil([&] { return !FileExists(JoinPath(folder_, "compile.bat")); }, kCompileTimeoutMs) &&
               Settled(main_, 15000);
    }

    HWND ProjectEdit() const {
        const std::vector<HWND> edits = Children(main_, "Edit");
        return edits.empty() ? nullptr : edits.front();
    }

    // Replaces the text of the project edit, which enables Start.
    void NameProject(const std::string& path) {
        HWND edit = ProjectEdit();
        SendMessageA(edit, EM_SETSEL, 0, -1);
        for (char c : path)
            PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(edit) == Lower(path); }, 5000));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(FindChild(main_, "&Start")) != FALSE; }, 5000));
    }

    // Names the project in the edit with the real keyboard's focus there, and presses Start with Alt+S.
    void StartWithAltS(const std::string& file) {
        HWND edit = ProjectEdit();
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(RealClickIn(edit, 5, 5));
        ASSERT_TRUE(Active(main_));
        ASSERT_NO_FATAL_FAILURE(NameProject(JoinPath(folder_, file)));
        DeleteFileA(JoinPath(folder_, "output.txt").c_str());
        ASSERT_TRUE(RealInput("key alt+s"));
        ASSERT_TRUE(
            WaitUntil([&] { return FileExists(JoinPath(folder_, "output.txt")); }, kCompileTimeoutMs));
        ASSERT_TRUE(CompileEnded());
    }

    Process app_;
    HWND main_ = nullptr;
    std::string folder_;
};
} // namespace

TEST_F(Activation, AfterACompileTheMainWindowIsActiveAndAFailureBringsTheOutputWindowToTheFront) {
    ASSERT_NO_FATAL_FAILURE(StartIn("activation-compile"));
    ASSERT_NO_FATAL_FAILURE(StartWithAltS("hello.dpr"));
    // The minimised console had the activation while it ran; the main window has it back, with the
    // keyboard focus where it was.
    EXPECT_TRUE(Active(main_));
    HWND start = FindChild(main_, "&Start");
    EXPECT_TRUE(Focused(start));

    ASSERT_NO_FATAL_FAILURE(StartWithAltS("broken.dpr"));
    HWND output = WaitForOutputWindow(app_.Id(), 10000);
    ASSERT_NE(output, nullptr);
    EXPECT_TRUE(Active(output));
    EXPECT_TRUE(Above(output, main_));
    HWND memo = Children(output, "TnwkMemo").front();
    EXPECT_TRUE(Focused(memo));
    // The first error line is selected as the window shows: what is typed takes its place.
    ASSERT_TRUE(RealInput("type typed"));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(memo).find("typed") != std::string::npos; }, 5000))
        << WindowText(memo);

    // "Show compiler outputwindow." after the output window was closed.
    Close(output);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(output); }, 10000));
    ASSERT_TRUE(Active(main_));
    Click(ToolButtonAt(main_, 25));
    EXPECT_TRUE(Active(output));
    EXPECT_TRUE(Above(output, main_));

    // Alt+E of the main window ends the program once the main window has the keyboard again.
    Close(output);
    ASSERT_TRUE(Active(main_));
    ASSERT_TRUE(RealInput("key alt+e"));
    EXPECT_TRUE(app_.WaitForExit(10000));
}

namespace {
// The test printer's next jobs go into build\print\<name>.ps for the scope (Wine's spooler writes
// port LPT1: to a Linux path); the earlier target is put back at its end.
class PrintTarget {
  public:
    explicit PrintTarget(const std::string& name) : file_(SourceDir() + "\\build\\print\\" + name + ".ps") {
        CreateDirectoryA((SourceDir() + "\\build\\print").c_str(), nullptr);
        DeleteFileA(file_.c_str());
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof previous_;
        hadPrevious_ = RegQueryValueExA(key_, "LPT1:", nullptr, nullptr, reinterpret_cast<BYTE*>(previous_),
                                        &size) == ERROR_SUCCESS;
        std::string unixPath = file_.substr(2); // the Z: drive is the root
        std::replace(unixPath.begin(), unixPath.end(), '\\', '/');
        Set(unixPath.c_str());
    }
    ~PrintTarget() {
        if (hadPrevious_)
            Set(previous_);
        RegCloseKey(key_);
        DeleteFileA(file_.c_str());
    }
    PrintTarget(const PrintTarget&) = delete;
    PrintTarget& operator=(const PrintTarget&) = delete;
    bool Printed() const { return FileExists(file_); }

  private:
    void Set(const char* value) {
        RegSetValueExA(key_, "LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1));
    }
    std::string file_;
    HKEY key_ = nullptr;
    char previous_[MAX_PATH] = {};
    bool hadPrevious_ = false;
};

// A compiled failure's output window with the memo focused by the real pointer and the caret at the
// top; what is typed goes in there.
class OutputActivation : public Activation {
  protected:
    void OpenOutput(const std::string& name) {
        ASSERT_NO_FATAL_FAILURE(StartIn(name));
        ASSERT_NO_FATAL_FAILURE(StartWithAltS("broken.dpr"));
        output_ = WaitForOutputWindow(app_.Id(), 10000);
        ASSERT_NE(output_, nullptr);
        memo_ = Children(output_, "TnwkMemo").front();
        // The first error line is selected, and scrolled into view, as the window shows; after that,
        // the click focuses the memo and Ctrl+Home puts the caret at the top.
        ASSERT_TRUE(WaitUntil(
            [&] {
                const auto selection = static_cast<DWORD>(SendMessageA(memo_, EM_GETSEL, 0, 0));
                return HIWORD(selection) > LOWORD(selection);
            },
            5000));
        ASSERT_TRUE(RealClickIn(memo_, 1, 1));
        ASSERT_TRUE(RealInput("key ctrl+Home"));
        ASSERT_TRUE(Active(output_));
    }

    // The output window is active with the memo focused, and the real keyboard types into it.
    void ExpectKeysInMemo(const std::string& after, const std::string& word) {
        EXPECT_TRUE(Active(output_)) << after;
        EXPECT_TRUE(Focused(memo_)) << after;
        typed_ += word;
        ASSERT_TRUE(RealInput("type " + word));
        EXPECT_TRUE(WaitUntil([&] { return WindowText(memo_).rfind(typed_, 0) == 0; }, 5000))
            << after << ": " << WindowText(memo_).substr(0, 40);
    }

    HWND OpenDialog(int toolLeft) {
        Click(ToolButtonAt(output_, toolLeft));
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                dialog = FindVisibleWindowOf(app_.Id(), [](HWND wnd) { return ClassOf(wnd) == "#32770"; });
                return dialog != nullptr && GetForegroundWindow() == dialog;
            },
            10000);
        return dialog;
    }

    // Opens the colour button's palette with the real pointer on the colour part of the button, each
    // time at another point (xdotool waits for a move to a point where the pointer is already).
    HWND OpenPalette() {
        HWND button = ToolButtonAt(output_, 112).window;
        if (!button || !RealClickIn(button, 8 + 3 * palettesOpened_++, 12))
            return nullptr;
        HWND palette = nullptr;
        WaitUntil(
            [&] {
                palette = FindVisibleWindowOf(app_.Id(), [](HWND wnd) {
                    RECT client{};
                    GetClientRect(wnd, &client);
                    return client.right == 72 && client.bottom == 121;
                });
                return palette != nullptr && GetForegroundWindow() == palette;
            },
            10000);
        return palette;
    }

    // The process's top-most windows but those owned by `except`.
    std::vector<HWND> TopMostWindows(HWND except) const {
        std::vector<HWND> found;
        for (HWND wnd = GetTopWindow(nullptr); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(wnd, &pid);
            if (pid == app_.Id() && (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
                GetWindow(wnd, GW_OWNER) != except)
                found.push_back(wnd);
        }
        return found;
    }

    // The window's tool tip, which shows "Background color" for the colour button.
    HWND FindToolTipOf(HWND owner) const {
        for (HWND wnd = GetTopWindow(nullptr); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT))
            if (GetWindow(wnd, GW_OWNER) == owner && ClassOf(wnd) == "tooltips_class32")
                return wnd;
        return nullptr;
    }

    bool Gone(HWND wnd) const {
        return WaitUntil([&] { return !IsWindowVisible(wnd); }, 10000) && Settled(output_, 10000);
    }

    HWND output_ = nullptr;
    HWND memo_ = nullptr;
    std::string typed_;
    int palettesOpened_ = 0;
};
} // namespace

TEST_F(OutputActivation, PageSetupFontDialogPrintAndPaletteGiveActivationAndFocusBack) {
    ASSERT_NO_FATAL_FAILURE(OpenOutput("activation-output"));
    const struct {
        const char* what;
        int toolLeft;
        const char* key;
    } dialogs[] = {
        {"page setup, Cancel", 0, "Escape"},
        {"page setup, OK", 0, "Return"},
        {"font dialog, Cancel", 157, "Escape"},
        {"font dialog, OK", 157, "Return"},
    };
    const char* words[] = {"pc", "po", "fc", "fo"};
    for (std::size_t i = 0; i < std::size(dialogs); ++i) {
        HWND dialog = OpenDialog(dialogs[i].toolLeft);
        ASSERT_NE(dialog, nullptr) << dialogs[i].what;
        ASSERT_TRUE(RealInput(std::string("key ") + dialogs[i].key));
        ASSERT_TRUE(Gone(dialog)) << dialogs[i].what;
        ExpectKeysInMemo(dialogs[i].what, words[i]);
    }

    {
        const PrintTarget job("activation");
        Click(ToolButtonAt(output_, 25)); // Print.
        ASSERT_TRUE(WaitUntil(
            [&] { return job.Printed() && FindWindowOf(app_.Id(), "Print Progress") == nullptr; }, 30000));
        ASSERT_TRUE(Settled(output_, 10000));
        ExpectKeysInMemo("print", "pr");
    }

    HWND tip = FindToolTipOf(output_);
    ASSERT_NE(tip, nullptr);
    for (const char* key : {"Escape", "Return"}) {
        // Pressed without resting on the button first: its tool tip would come up once the pointer has
        // rested there for the tip's delay. It stays out of the top-most layer and out of sight.
        HWND palette = OpenPalette();
        ASSERT_NE(palette, nullptr) << key;
        EXPECT_EQ(TopMostWindows(palette), std::vector<HWND>{}) << key;
        POINT firstRow{36, 9};
        ClientToScreen(palette, &firstRow);
        const int delay = static_cast<int>(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
        EXPECT_FALSE(WaitUntil([&] { return GetAncestor(WindowFromPoint(firstRow), GA_ROOT) != palette; },
                               3 * delay + 500))
            << key << ": \"" << WindowText(tip) << "\" over the palette";
        ASSERT_TRUE(RealInput(std::string("key ") + key));
        ASSERT_TRUE(Gone(palette)) << key;
        ExpectKeysInMemo(std::string("palette, ") + key, key[0] == 'E' ? "ke" : "kr");
    }
    HWND palette = OpenPalette();
    ASSERT_NE(palette, nullptr);
    ASSERT_TRUE(RealClickIn(palette, 27, 45));
    ASSERT_TRUE(Gone(palette));
    ExpectKeysInMemo("palette, click", "kc");
    EXPECT_NE(GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "the tool tip is top-most again";
}

namespace {
// A top-level window of this process, another program beside Tarnwick in the same desktop: shown
// without taking the activation, and served by a thread of its own.
class OtherProgramWindow {
  public:
    OtherProgramWindow() {
        thread_ = std::thread([this] { Run(); });
        WaitUntil([&] { return wnd_ != nullptr; }, 5000);
    }
    ~OtherProgramWindow() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
    HWND Handle() const { return wnd_; }

  private:
    void Run() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TnwkTestOtherProgram";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassA(&wc);
        HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Other program", WS_OVERLAPPEDWINDOW, 20, 500, 300,
                                   150, nullptr, nullptr, wc.hInstance, nullptr);
        ShowWindow(wnd, SW_SHOWNOACTIVATE);
        threadId_ = GetCurrentThreadId();
        wnd_ = wnd;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(wnd);
    }

    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<HWND> wnd_{nullptr};
};
} // namespace

TEST_F(Activation, ClosingModalWindowsAndMessageBoxesKeepsTheActivationInTheProgram) {
    ASSERT_NO_FATAL_FAILURE(StartIn("activation-modal"));
    OtherProgramWindow other;
    ASSERT_NE(other.Handle(), nullptr);
    ASSERT_TRUE(RealClickIn(main_, 150, 112));
    ASSERT_TRUE(Active(main_));

    // The about box, a modal window, closed with its default button.
    Click(ToolButtonAt(main_, 56));
    HWND box = WaitForWindow(app_.Id(), "About Tarnwick...", 10000);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(Active(box));
    ASSERT_TRUE(RealInput("key Return"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box) || !IsWindow(box); }, 10000));
    EXPECT_TRUE(Active(main_)) << "about box";

    // The information message (a network project) and the default handler's error box (an invalid
    // dropped name).
    ASSERT_NO_FATAL_FAILURE(NameProject("\\\\server\\share\\net.dpr"));
    ASSERT_TRUE(RealInput("key alt+s"));
    box = WaitForWindow(app_.Id(), "Information", 10000);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(Active(box));
    ASSERT_TRUE(RealInput("key Return"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 10000));
    EXPECT_TRUE(Active(main_)) << "information message";

    ASSERT_TRUE(PostDroppedFiles(ProjectEdit(), {JoinPath(folder_, "a[1].dpr")}));
    box = WaitForWindow(app_.Id(), "Tarnwick", 10000);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(Active(box));
    ASSERT_TRUE(RealInput("key Return"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 10000));
    EXPECT_TRUE(Active(main_)) << "error message";
}
