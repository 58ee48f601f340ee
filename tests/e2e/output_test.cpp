// The compiler output window as a user meets it: shown with "output.txt" after a failing compile,
// kept while it stays open, reloaded when opened again, the message for a missing file, lines inserted
// at the top, and a very large output.
#include "e2e/driver.h"

#include <colordlg.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace e2e;

namespace {
constexpr int kCompileTimeoutMs = 40000;
constexpr const char* kMemoClass = "TnwkMemo";

// The lines of a text, whatever its line breaks; a final break starts no further line.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(line);
            line.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += text[i];
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::string Today() {
    char date[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    return date;
}

// A visible dialog box (a common dialog) of the process.
HWND DialogOf(DWORD processId) {
    return FindVisibleWindowOf(processId, [](HWND wnd) { return ClassOf(wnd) == "#32770"; });
}

// The colour button's drop-down palette of the process, while it shows: the window of 72 x 121
// client pixels.
HWND PaletteOf(DWORD processId) {
    return FindVisibleWindowOf(processId, [](HWND wnd) {
        RECT client{};
        GetClientRect(wnd, &client);
        return client.right == 72 && client.bottom == 121;
    });
}

// Types a number into an edit of a dialog in another process, replacing what it held.
void TypeInto(HWND dialog, int id, const std::string& digits) {
    HWND edit = GetDlgItem(dialog, id);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : digits)
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

class OutputWindow : public ::testing::Test {
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

    // Compiles examples\broken from the command line and waits for the output window.
    void CompileBroken(const std::string& name) {
        folder_ = FreshFolder(name);
        CopyExample("broken", folder_);
        project_ = JoinPath(folder_, "broken.dpr");
        app_ = StartTarnwick("\"" + project_ + "\"", folder_);
        output_ = WaitForOutputWindow(app_.Id(), kCompileTimeoutMs);
        ASSERT_NE(output_, nullptr);
        main_ = WaitForWindow(app_.Id(), kMainCaption, 15000);
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(Settled(main_, 15000));
        const std::vector<HWND> memos = Children(output_, kMemoClass);
        ASSERT_EQ(memos.size(), 1u);
        memo_ = memos.front();
    }

    std::string MemoText() const {
        const LRESULT length = SendMessageA(memo_, WM_GETTEXTLENGTH, 0, 0);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const LRESULT got =
            SendMessageA(memo_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(got));
        return text;
    }

    std::string MemoLine(int line) const {
        std::string text(4096, '\0');
        *reinterpret_cast<WORD*>(text.data()) = static_cast<WORD>(text.size());
        text.resize(static_cast<std::size_t>(
            SendMessageA(memo_, EM_GETLINE, line, reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }

    // The main window's "Show compiler outputwindow." button, which has a hint and no caption.
    void ClickShowOutput() {
        const ToolItem button = ToolButtonAt(main_, 25);
        ASSERT_TRUE(button);
        ASSERT_TRUE(Enabled(button));
        Click(button);
    }

    void CloseOutputWindow() {
        Close(output_);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(output_); }, 10000));
    }

    std::string OutputFile() const { return JoinPath(folder_, "output.txt"); }

    // The colour on screen in the memo's empty lower right part.
    COLORREF MemoBackground() const {
        RECT rc;
        GetWindowRect(memo_, &rc);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, rc.right - 40, rc.bottom - 40);
        ReleaseDC(nullptr, screen);
        return colour;
    }

    Process app_;
    HWND main_ = nullptr;
    HWND output_ = nullptr;
    HWND memo_ = nullptr;
    std::string folder_;
    std::string project_;
};
} // namespace

TEST_F(OutputWindow, AFailingCompileShowsExactlyTheLinesOfOutputTxt) {
    CompileBroken("output-lines");
    const std::string file = ReadFileBytes(OutputFile());
    ASSERT_FALSE(file.empty());
    const std::string text = MemoText();
    EXPECT_EQ(LinesOf(text), LinesOf(file));
    EXPECT_NE(text.find("broken.dpr(16) Error"), std::string::npos);
    EXPECT_EQ(SendMessageA(memo_, EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(LinesOf(file).size()));
}

TEST_F(OutputWindow, ShowingItAgainKeepsEditsAndOpeningItAfterClosingReloads) {
    CompileBroken("output-reshow");
    const std::string loaded = MemoText();
    SendMessageA(memo_, EM_SETSEL, 0, 0); // the compile's error line is selected: type at the top instead
    for (char c : std::string("edited "))
        PostMessageA(memo_, WM_CHAR, static_cast<unsigned char>(c), 0);
    ASSERT_TRUE(WaitUntil([&] { return MemoText() == "edited " + loaded; }, 5000));

    ClickShowOutput(); // the window is open: it only comes to the front
    ASSERT_TRUE(Settled(main_, 10000));
    EXPECT_EQ(MemoText(), "edited " + loaded);

    CloseOutputWindow();
    ClickShowOutput();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(output_) != FALSE; }, 10000));
    EXPECT_EQ(MemoText(), loaded);
}

TEST_F(OutputWindow, AMissingFileIsReportedAndTheWindowShowsItsEarlierText) {
    CompileBroken("output-missing");
    const std::string loaded = MemoText();
    CloseOutputWindow();
    ASSERT_TRUE(DeleteFileA(OutputFile().c_str()));

    ClickShowOutput();
    HWND box = WaitForWindow(app_.Id(), "Tarnwick", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Datei " + Lower(folder_) +
                                       "\\output.txt kann nicht ge\xF6"
                                       "ffnet werden.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(output_) != FALSE; }, 10000));
    EXPECT_EQ(MemoText(), loaded);
}

TEST_F(OutputWindow, DateAndProjectPathAreInsertedAtTheTopEachWithAnEmptyLine) {
    CompileBroken("output-insert");
    const std::string loaded = MemoText();
    const ToolItem dateButton = ToolButtonAt(output_, 56);
    const ToolItem pathButton = ToolButtonAt(output_, 81);
    ASSERT_TRUE(dateButton);
    ASSERT_TRUE(pathButton);

    Click(dateButton);
    Click(dateButton);
    const std::string dated = Today() + "\r\n\r\n" + Today() + "\r\n\r\n" + loaded;
    EXPECT_TRUE(WaitUntil([&] { return MemoText() == dated; }, 5000)) << MemoText();

    Click(pathButton);
    Click(pathButton);
    const std::string path = Lower(project_);
    EXPECT_TRUE(WaitUntil([&] { return MemoText() == path + "\r\n\r\n" + path + "\r\n\r\n" + dated; }, 5000))
        << MemoText();
}

TEST_F(OutputWindow, AChosenBackgroundColourShowsAtOnceAndComesBackAfterARestart) {
    CompileBroken("output-colour");
    const ToolItem colourButton = ToolButtonAt(output_, 112);
    ASSERT_TRUE(colourButton.window);
    Click(colourButton);
    HWND palette = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (palette = PaletteOf(app_.Id())) != nullptr; }, 10000));
    HWND other = FindChild(palette, "&Other");
    ASSERT_NE(other, nullptr);
    Click(other);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = DialogOf(app_.Id())) != nullptr; }, 10000));
    TypeInto(dialog, COLOR_RED, "10");
    TypeInto(dialog, COLOR_GREEN, "200");
    TypeInto(dialog, COLOR_BLUE, "30");
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return DialogOf(app_.Id()) == nullptr; }, 10000));
    ASSERT_TRUE(Settled(output_, 5000));
    EXPECT_TRUE(WaitUntil([&] { return MemoBackground() == RGB(10, 200, 30); }, 5000));

    CloseOutputWindow(); // closing keeps the colours
    const std::string chosen = std::to_string(RGB(10, 200, 30));
    EXPECT_EQ(ProgramSetting("Output", "Memo1_Color"), chosen);
    EXPECT_EQ(ProgramSetting("Output", "ClBtn_Color"), chosen);
    Close(main_);
    ASSERT_TRUE(app_.WaitForExit(15000));

    CompileBroken("output-colour");
    EXPECT_TRUE(WaitUntil([&] { return MemoBackground() == RGB(10, 200, 30); }, 5000));
}

TEST_F(OutputWindow, APaletteColourPickedWithTheMouseColoursTheMemoAndSurvivesARestart) {
    CompileBroken("output-palette");
    HWND colourButton = ToolButtonAt(output_, 112).window;
    ASSERT_NE(colourButton, nullptr);
    RECT button{};
    GetWindowRect(colourButton, &button);
    // The colour part of the button, left of its arrow.
    ASSERT_TRUE(RealClickAt(button.left + 12, button.top + 12));
    HWND palette = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (palette = PaletteOf(app_.Id())) != nullptr; }, 10000));
    RECT paletteRect{};
    GetWindowRect(palette, &paletteRect);
    EXPECT_EQ(paletteRect.left, button.left); // dropped down below the button
    EXPECT_EQ(paletteRect.top, button.bottom);

    POINT cell{27, 45}; // column 2, row 3: dark green
    ClientToScreen(palette, &cell);
    ASSERT_TRUE(RealClickAt(cell.x, cell.y));
    ASSERT_TRUE(WaitUntil([&] { return PaletteOf(app_.Id()) == nullptr; }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return MemoBackground() == RGB(0, 127, 0); }, 5000));

    CloseOutputWindow();
    EXPECT_EQ(ProgramSetting("Output", "ClBtn_Color"), std::to_string(RGB(0, 127, 0)));
    EXPECT_EQ(ProgramSetting("Output", "Memo1_Color"), std::to_string(RGB(0, 127, 0)));
    Close(main_);
    ASSERT_TRUE(app_.WaitForExit(15000));

    CompileBroken("output-palette");
    EXPECT_TRUE(WaitUntil([&] { return MemoBackground() == RGB(0, 127, 0); }, 5000));
}

TEST_F(OutputWindow, ATenMegabyteOutputLoadsCompletely) {
    CompileBroken("output-large");
    CloseOutputWindow();
    std::string large;
    int lines = 0;
    while (large.size() < (10u << 20)) {
        large += "unit" + std::to_string(lines) + ".pas(" + std::to_string(lines % 900) +
                 "): Warning: Variable 'I' is declared but never used\r\n";
        ++lines;
    }
    large += "last line without a break";
    ++lines;
    WriteFileBytes(OutputFile(), large);

    ClickShowOutput();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(output_) != FALSE; }, 20000));
    ASSERT_TRUE(Settled(output_, 20000));
    EXPECT_EQ(SendMessageA(memo_, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(large.size()));
    EXPECT_EQ(SendMessageA(memo_, EM_GETLINECOUNT, 0, 0), lines);
    // The first line as the start of the text: 64-bit Wine does not carry an EM_GETLINE's buffer
    // capacity into another process (the receiver reads whatever its buffer starts with; Wine's own
    // edit control comes back cut the same way), so both builds read it with WM_GETTEXT instead.
    const std::string first = "unit0.pas(0): Warning: Variable 'I' is declared but never used\r\n";
    std::string start(first.size() + 1, '\0');
    start.resize(static_cast<std::size_t>(
        SendMessageA(memo_, WM_GETTEXT, start.size(), reinterpret_cast<LPARAM>(start.data()))));
    EXPECT_EQ(start, first);
    EXPECT_EQ(MemoLine(lines - 1), "last line without a break");
    // Lines still go in above all of it.
    Click(ToolButtonAt(output_, 56));
    EXPECT_TRUE(WaitUntil([&] { return MemoLine(0) == Today(); }, 5000));
    EXPECT_EQ(SendMessageA(memo_, WM_GETTEXTLENGTH, 0, 0),
              static_cast<LRESULT>(large.size() + Today().size() + 4));
}
