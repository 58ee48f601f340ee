// Help in the running program: without tnwk.hlp each Help button has the shell open the HTML page of
// its window, recorded by this test program registered as the handler of ".htm" files; with a
// tnwk.hlp beside the program, Help goes to WinHelp (Wine's winhlp32.exe starts).
#include "support/ShellRecord.h"
#include "e2e/driver.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace e2e;

namespace {

constexpr const char* kRecordSwitch = "--record-opened-page";
constexpr const char* kHandlerClass = "TarnwickHelpTest.Page";

[[maybe_unused]] const bool gRecorded = support::RecordOpenedTargetAndExitWhenStartedAs(kRecordSwitch);

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

std::string ClassesValue(const std::string& key) {
    char value[256] = {};
    LONG size = sizeof value;
    return RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) == ERROR_SUCCESS ? value : "";
}

void SetClassesValue(const std::string& key, const std::string& value) {
    RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

class Help : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSettings();
        folder_ = FreshFolder("help");
        record_ = JoinPath(folder_, "opened.txt");
        savedHandler_ = ClassesValue(".htm");
        SetClassesValue(".htm", kHandlerClass);
        SetClassesValue(std::string(kHandlerClass) + "\\shell\\open\\command",
                        "\"" + ThisProgram() + "\" " + kRecordSwitch + " \"" + record_ + "\" \"%1\"");
    }
    void TearDown() override {
        if (app_.Running() && main_) {
            Close(main_);
            app_.WaitForExit(10000);
        }
        app_ = Process();
        SetClassesValue(".htm", savedHandler_);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerClass);
        EndProcessesNamed("winhlp32.exe");
        RemoveFolder(folder_);
        DeleteProgramSettings();
    }

    // The pages opened so far, one a line.
    std::string Opened() const { return Lower(ReadFileBytes(record_)); }

    // Presses the button and waits until the page shows up in the record.
    template <class Button> bool Opens(const Button& button, const std::string& page) {
        const std::string expected = Lower(JoinPath(BinDir(), "help\\" + page)) + "\n";
        Click(button);
        return WaitUntil([&] { return Opened().find(expected) != std::string::npos; }, 15000);
    }

    std::string folder_, record_, savedHandler_;
    Process app_;
    HWND main_ = nullptr;
};

} // namespace

TEST_F(Help, EachHelpButtonOpensThePageOfItsWindow) {
    CopyExample("broken", folder_);
    app_ = StartTarnwick("\"" + JoinPath(folder_, "broken.dpr") + "\"", folder_);
    HWND output = WaitForOutputWindow(app_.Id(), 60000);
    ASSERT_NE(output, nullptr);
    main_ = WaitForWindow(app_.Id(), kMainCaption, 15000);
    ASSERT_NE(main_, nullptr);
    ASSERT_TRUE(Settled(main_, 15000));

    EXPECT_TRUE(Opens(ToolButtonAt(main_, 81), "main.htm")) << Opened();
    EXPECT_TRUE(Opens(ToolButtonAt(output, 188), "output.htm")) << Opened();
    Click(OptionsButton(main_));
    HWND prefs = WaitForWindow(app_.Id(), kPrefsCaption, 10000);
    ASSERT_NE(prefs, nullptr);
    EXPECT_TRUE(Opens(FindChild(prefs, "&Help", "Button"), "prefs.htm")) << Opened();
    Close(prefs);
    EXPECT_EQ(FindWindowOf(app_.Id(), "Tarnwick"), nullptr) << "no error box";

    // The page setup dialog's Help button sends the registered help message to the dialog's owner,
    // which serves it while the dialog runs: help context 0 opens the main page. Wine's dialog has no
    // Help button, so the test sends what the button sends.
    DeleteFileA(record_.c_str());
    Click(ToolButtonAt(output, 0));
    HWND setup = WaitForWindow(app_.Id(), "Setup Page", 15000); // Wine's caption of the dialog
    ASSERT_NE(setup, nullptr);
    const UINT helpMessage = RegisterWindowMessageA(HELPMSGSTRINGA);
    const std::string mainPage = Lower(JoinPath(BinDir(), "help\\main.htm")) + "\n";
    PostMessageA(GetWindow(setup, GW_OWNER), helpMessage, reinterpret_cast<WPARAM>(setup), 0);
    EXPECT_TRUE(WaitUntil([&] { return Opened() == mainPage; }, 15000)) << Opened();
    Click(GetDlgItem(setup, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(setup); }, 10000));
}

TEST_F(Help, AHelpFileBesideTheProgramGoesToWinHelp) {
    const std::string exe = JoinPath(folder_, "tnwk.exe");
    ASSERT_TRUE(CopyFileA(JoinPath(BinDir(), "tnwk.exe").c_str(), exe.c_str(), FALSE));
    WriteFileBytes(JoinPath(folder_, "tnwk.hlp"), "?_\x03\x00");
    EndProcessesNamed("winhlp32.exe");
    app_ = StartProgram("\"" + exe + "\"", folder_);
    main_ = WaitForWindow(app_.Id(), kMainCaption, 15000);
    ASSERT_NE(main_, nullptr);

    Click(ToolButtonAt(main_, 81));
    EXPECT_TRUE(WaitUntil([] { return !ProcessesNamed("winhlp32.exe").empty(); }, 15000));
    EXPECT_EQ(Opened(), "") << "no page when the help file is there";
}
