// Problems in the compiler output as a user meets them: the stand-in compiler prints problems in each
// form (Delphi 3, later Delphi with column and code, Free Pascal, German, a fatal line without a file);
// the caption counts them, the first error is selected, Alt+F8 / Alt+F7 on the real keyboard step
// through them, Enter and a real double-click open the source view at the line (a unit found through
// the search path), a missing file is reported, and "Open in editor" reaches the shell.
#include "e2e/driver.h"
#include "support/ShellRecord.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {
constexpr const char* kRecordSwitch = "--record-edited-source";
[[maybe_unused]] const bool gRecorded = support::RecordOpenedTargetAndExitWhenStartedAs(kRecordSwitch);
constexpr const char* kLibraryKey = "Software\\Borland\\Delphi\\3.0\\Library";
constexpr const char* kHandlerClass = "tnwk_test_source";

const char* const kMain = "program Main;\r\n"
                          "{$STANDIN_ECHO main.dpr(3) Hint: Variable 'X' is declared but never used}\r\n"
                          "{$STANDIN_ECHO greet.pas(7,3): Warning W1036: Variable 'S' might not have been "
                          "initialized}\r\n"
                          "{$STANDIN_ECHO greet.pas(8,5) Error: Identifier not found \"Foo\"}\r\n"
                          "{$STANDIN_ECHO LIBUNIT.PAS(2) Fehler: Undefinierter Bezeichner: 'Y'}\r\n"
                          "{$STANDIN_ECHO gone.pas(1) Error: Unknown}\r\n"
                          "{$STANDIN_ECHO Fatal: Could not compile used unit 'gone.pas'}\r\n"
                          "begin\r\n"
                          "  Writeln('never closed');\r\n";
const char* const kGreet = "unit Greet;\r\ninterface\r\nprocedure Hello;\r\nimplementation\r\n"
                           "procedure Hello;\r\nvar S: string;\r\nbegin\r\n  Writeln(S);\r\nend;\r\nend.\r\n";
const char* const kLibUnit = "unit LibUnit;\r\nY := 1;\r\nend.\r\n";

// A value below HKEY_CURRENT_USER set for the scope; the earlier one (or none) is back at its end.
class UserValueOverride {
  public:
    UserValueOverride(std::string key, std::string name, const std::string& value)
        : key_(std::move(key)), name_(std::move(name)) {
        char saved[2048];
        DWORD size = sizeof saved;
        had_ = RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name_.empty() ? nullptr : name_.c_str(),
                            RRF_RT_REG_SZ, nullptr, saved, &size) == ERROR_SUCCESS;
        if (had_)
            saved_ = saved;
        Set(value);
    }
    ~UserValueOverride() {
        if (had_)
            Set(saved_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, key_.c_str(), name_.empty() ? nullptr : name_.c_str());
    }
    UserValueOverride(const UserValueOverride&) = delete;
    UserValueOverride& operator=(const UserValueOverride&) = delete;

  private:
    void Set(const std::string& value) const {
        RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), name_.empty() ? nullptr : name_.c_str(), REG_SZ,
                        value.c_str(), static_cast<DWORD>(value.size() + 1));
    }
    std::string key_;
    std::string name_;
    bool had_ = false;
    std::string saved_;
};

// The test program as the editor of .pas files (the shell's "edit" verb) for the scope.
class EditorRegistration {
  public:
    explicit EditorRegistration(const std::string& command) {
        char saved[256] = {};
        LONG size = sizeof saved;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, ".pas", saved, &size) == ERROR_SUCCESS)
            saved_ = saved;
        Set(".pas", kHandlerClass);
        Set(std::string(kHandlerClass) + "\\shell\\edit\\command", command);
    }
    ~EditorRegistration() {
        Set(".pas", saved_);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerClass);
    }
    EditorRegistration(const EditorRegistration&) = delete;
    EditorRegistration& operator=(const EditorRegistration&) = delete;

  private:
    static void Set(const std::string& key, const std::string& value) {
        RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
    }
    std::string saved_;
};

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

struct Selection {
    DWORD start = 0;
    DWORD end = 0;
    int line = 0; // the line of the start
};

Selection SelectionOf(HWND memo) {
    Selection selection;
    SendMessageA(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
                 reinterpret_cast<LPARAM>(&selection.end));
    selection.line = static_cast<int>(SendMessageA(memo, EM_LINEFROMCHAR, selection.start, 0));
    return selection;
}

bool WholeLineSelected(HWND memo, int line) {
    const Selection selection = SelectionOf(memo);
    const auto start = static_cast<DWORD>(SendMessageA(memo, EM_LINEINDEX, line, 0));
    const auto length = static_cast<DWORD>(SendMessageA(memo, EM_LINELENGTH, start, 0));
    return selection.start == start && selection.end == start + length;
}

std::string TextOf(HWND memo) {
    std::string text(static_cast<std::size_t>(SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        SendMessageA(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

class Problems : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSettings();
        folder_ = FreshFolder("problems");
        library_ = FreshFolder("problems-lib");
        WriteFileBytes(JoinPath(folder_, "main.dpr"), kMain);
        WriteFileBytes(JoinPath(folder_, "greet.pas"), kGreet);
        WriteFileBytes(JoinPath(library_, "LibUnit.pas"), kLibUnit);
        searchPath_ = std::make_unique<UserValueOverride>(kLibraryKey, "SearchPath",
                                                          "c:\\nowhere;\"" + library_ + "\"");
        app_ = StartTarnwick("\"" + JoinPath(folder_, "main.dpr") + "\"", folder_);
        output_ = WaitForOutputWindow(app_.Id(), 40000);
        ASSERT_NE(output_, nullptr);
        main_ = WaitForWindow(app_.Id(), kMainCaption, 15000);
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(Settled(main_, 15000));
        const auto memos = Children(output_, "TnwkMemo");
        ASSERT_EQ(memos.size(), 1u);
        memo_ = memos.front();
        // To the right of the desktop, so that the source view can be kept beside it.
        SetWindowPos(output_, nullptr, 470, 0, 544, 375, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void TearDown() override {
        if (app_.Running() && main_) {
            Close(main_);
            app_.WaitForExit(15000);
        }
        app_ = Process();
        searchPath_.reset();
        RemoveFolder(folder_);
        RemoveFolder(library_);
    }

    // The memo line that begins with the text.
    int LineStartingWith(const std::string& text) const {
        const int count = static_cast<int>(SendMessageA(memo_, EM_GETLINECOUNT, 0, 0));
        for (int line = 0; line < count; ++line) {
            std::string buffer(4096, '\0');
            *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size());
            buffer.resize(static_cast<std::size_t>(
                SendMessageA(memo_, EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer.data()))));
            if (buffer.rfind(text, 0) == 0)
                return line;
        }
        return -1;
    }

    // Clicks (or double-clicks) the real mouse on a memo line, a little into its text.
    bool ClickLine(int line, int clicks = 1) const {
        const auto start = SendMessageA(memo_, EM_LINEINDEX, line, 0);
        const LRESULT at = SendMessageA(memo_, EM_POSFROMCHAR, static_cast<WPARAM>(start), 0);
        POINT pt{static_cast<short>(LOWORD(at)) + 16, static_cast<short>(HIWORD(at)) + 6};
        ClientToScreen(memo_, &pt);
        return RealClickAt(pt.x, pt.y, clicks);
    }

    HWND WaitForSourceView(const std::string& caption) const {
        return WaitForWindow(app_.Id(), caption, 10000);
    }

    static HWND MemoOf(HWND window) {
        const auto memos = Children(window, "TnwkMemo");
        return memos.size() == 1 ? memos.front() : nullptr;
    }

    Process app_;
    HWND main_ = nullptr;
    HWND output_ = nullptr;
    HWND memo_ = nullptr;
    std::string folder_;
    std::string library_;
    std::unique_ptr<UserValueOverride> searchPath_;
};
} // namespace

TEST_F(Problems, CaptionCountsFirstErrorSelectedAndAltF8AltF7StepOnTheRealKeyboard) {
    EXPECT_EQ(WindowText(output_), "Compiler output. 5 errors, 1 warning, 1 hint");
    const int hint = LineStartingWith("main.dpr(3) Hint");
    const int warning = LineStartingWith("greet.pas(7,3): Warning");
    const int firstError = LineStartingWith("greet.pas(8,5) Error");
    ASSERT_GE(hint, 1);
    EXPECT_TRUE(WholeLineSelected(memo_, firstError));

    ASSERT_TRUE(ClickLine(0)); // the banner: a plain line at the top
    ASSERT_TRUE(WaitUntil(
        [&] {
            const Selection selection = SelectionOf(memo_);
            return selection.line == 0 && selection.start == selection.end;
        },
        5000));
    ASSERT_TRUE(RealKeys("alt+F8"));
    EXPECT_TRUE(WaitUntil([&] { return WholeLineSelected(memo_, hint); }, 5000));
    ASSERT_TRUE(RealKeys("alt+F8"));
    EXPECT_TRUE(WaitUntil([&] { return WholeLineSelected(memo_, warning); }, 5000));
    ASSERT_TRUE(RealKeys("alt+F7"));
    EXPECT_TRUE(WaitUntil([&] { return WholeLineSelected(memo_, hint); }, 5000));
}

TEST_F(Problems, EnterAndDoubleClickOpenTheSourceViewAtTheLineFoundInTheProjectOrOnTheSearchPath) {
    const std::string record = JoinPath(folder_, "edited.txt");
    EditorRegistration editor("\"" + ThisProgram() + "\" " + kRecordSwitch + " \"" + record + "\" \"%1\"");

    // Enter on the selected first error: greet.pas at line 8, the caret at column 5.
    ASSERT_TRUE(ClickLine(LineStartingWith("greet.pas(8,5)")));
    ASSERT_TRUE(RealKeys("Return"));
    HWND view = WaitForSourceView("greet.pas (8)");
    ASSERT_NE(view, nullptr);
    HWND source = MemoOf(view);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(TextOf(source), kGreet); // the whole file, its last line break too
    const Selection atColumn = SelectionOf(source);
    EXPECT_EQ(atColumn.line, 7);
    EXPECT_EQ(atColumn.start, atColumn.end);
    EXPECT_EQ(atColumn.start - SendMessageA(source, EM_LINEINDEX, 7, 0), 4u);
    EXPECT_EQ(GetForegroundWindow(), view);
    SetWindowPos(view, nullptr, 0, 0, 460, 500, SWP_NOZORDER | SWP_NOACTIVATE);

    // A double-click on the German line: the unit lies only in a folder of the search path.
    ASSERT_TRUE(ClickLine(LineStartingWith("LIBUNIT.PAS(2)"), 2));
    ASSERT_EQ(WaitForSourceView("LIBUNIT.PAS (2)"), view); // the same window, reused
    EXPECT_TRUE(WholeLineSelected(source, 1));
    EXPECT_EQ(TextOf(source).rfind("unit LibUnit;", 0), 0u);

    // A file that is nowhere: the message names it and the folders looked in.
    ASSERT_TRUE(ClickLine(LineStartingWith("gone.pas(1)"), 2));
    HWND box = WaitForWindow(app_.Id(), "Tarnwick", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "The source file gone.pas was not found. Looked in: " + Lower(folder_) +
                                       "\\, c:\\nowhere\\, " + library_ + "\\.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));
    EXPECT_EQ(WindowText(view), "LIBUNIT.PAS (2)");

    // Ctrl+E on the real keyboard in the view hands the file to the shell's edit verb, and so does the
    // "Open in editor" button. The editor's start takes the activation, so both come last.
    POINT inText{40, 40};
    ClientToScreen(source, &inText);
    ASSERT_TRUE(RealClickAt(inText.x, inText.y));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == view; }, 5000))
        << ClassOf(GetForegroundWindow()) << " '" << WindowText(GetForegroundWindow()) << "' at " << inText.x
        << "," << inText.y << " over " << ClassOf(WindowFromPoint(inText));
    ASSERT_TRUE(RealKeys("ctrl+e"));
    EXPECT_TRUE(WaitUntil(
        [&] { return Lower(ReadFileBytes(record)).find("libunit.pas") != std::string::npos; }, 10000))
        << ReadFileBytes(record);
    HWND editButton = FindChild(view, "Open in &editor");
    ASSERT_NE(editButton, nullptr);
    Click(editButton);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string opened = Lower(ReadFileBytes(record));
            return opened.find("libunit.pas") != opened.rfind("libunit.pas");
        },
        10000))
        << ReadFileBytes(record);
}
