// The preferences window in the running program: switches by mouse and keyboard, "Dcc32.cfg",
// compiler detection, and the switches reaching the next compile.
#include "base/ScopeExit.h"
#include "e2e/driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {
const char* const kCompilerFolder = "C:\\Program Files\\Borland\\Delphi 3\\Bin";

std::string ConfigPath() {
    return JoinPath(kCompilerFolder, "Dcc32.cfg");
}

std::string LibrarySetting(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Library", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return {};
    char buffer[2048] = {};
    DWORD size = sizeof buffer - 1;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return buffer;
}

// A click is a press and a release over the box.
void ClickCheckBox(HWND box) {
    PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void PressAlt(HWND window, char letter) {
    PostMessageA(window, WM_SYSCHAR, static_cast<unsigned char>(letter), 1 << 29);
}

class Preferences : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSettings();
        DeleteFileA(ConfigPath().c_str());
        main_ = StartToMainWindow(app_, "prefs");
        ASSERT_NE(main_, nullptr);
    }
    void TearDown() override {
        if (HWND prefs = FindWindowOf(app_.Id(), kPrefsCaption))
            Close(prefs);
        if (main_)
            Close(main_);
        app_.WaitForExit(10000);
    }
    HWND OpenPreferences() {
        Click(OptionsButton(main_));
        return WaitForWindow(app_.Id(), kPrefsCaption, 10000);
    }

    Process app_;
    HWND main_ = nullptr;
};
} // namespace

TEST_F(Preferences, CloseWritesTheConfigurationAndTheSwitchesReachTheNextCompile) {
    HWND prefs = OpenPreferences();
    ASSERT_NE(prefs, nullptr);
    HWND mapfile = FindChild(prefs, "&Detailed Mapfile.");
    HWND runp = FindChild(prefs, "&Run project when compiled.");
    ASSERT_NE(mapfile, nullptr);
    ASSERT_NE(runp, nullptr);
    ClickCheckBox(mapfile);              // mouse: on
    PressAlt(prefs, 'b');                // keyboard accelerator: Build all on
    ClickCheckBox(runp);                 // on ...
    PostMessageA(runp, WM_CHAR, ' ', 0); // ... and off again with the blank key
    Click(FindChild(prefs, "&Close"));
    ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(app_.Id(), kPrefsCaption) == nullptr; }, 10000));

    const std::string search = LibrarySetting("SearchPath");
    const std::string expected = "-a " + LibrarySetting("UnitAliases") + "\r\n-u\"" + search + "\"\r\n-i\"" +
                                 search + "\"\r\n-o\"" + search + "\"\r\n-r\"" + search + "\"\r\n";
    EXPECT_EQ(ReadFileBytes(ConfigPath()), expected);

    const std::string folder = FreshFolder("prefs-compile");
    CopyExample("hello", folder);
    HWND edit = Children(main_, "Edit").at(0);
    for (char c : JoinPath(folder, "hello.dpr"))
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    HWND start = FindChild(main_, "&Start");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(start) != FALSE; }, 5000));
    Click(start);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(JoinPath(folder, "hello.exe")); }, 20000));
    ASSERT_TRUE(WaitUntil([&] { return !FileExists(JoinPath(folder, "compile.bat")); }, 20000));
    EXPECT_TRUE(FileExists(JoinPath(folder, "hello.map")));
    const std::string output = ReadFileBytes(JoinPath(folder, "output.txt"));
    EXPECT_NE(output.find("-b"), std::string::npos) << output;
    EXPECT_NE(output.find("-gd"), std::string::npos) << output;
    // Run project was switched off again: no greeting program waited for, no message.
    EXPECT_EQ(FindWindowOf(app_.Id(), "Information"), nullptr);
}

TEST_F(Preferences, TheCloseBoxKeepsTheConfigurationFileAsItWas) {
    HWND prefs = OpenPreferences();
    ASSERT_NE(prefs, nullptr);
    ClickCheckBox(FindChild(prefs, "&Build all units."));
    Close(prefs);
    ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(app_.Id(), kPrefsCaption) == nullptr; }, 10000));
    EXPECT_FALSE(FileExists(ConfigPath()));
}

TEST_F(Preferences, AnEmptyCompilerPathWritesNoConfiguration) {
    HWND prefs = OpenPreferences();
    ASSERT_NE(prefs, nullptr);
    HWND path = Children(prefs, "Edit").at(0);
    SendMessageA(path, EM_SETSEL, 0, -1);
    PostMessageA(path, WM_CHAR, VK_BACK, 0);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(path).empty(); }, 5000));
    Click(FindChild(prefs, "&Close"));
    ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(app_.Id(), kPrefsCaption) == nullptr; }, 10000));
    EXPECT_FALSE(FileExists(ConfigPath()));
}

// A library value the registry reader cannot read counts as empty: Close still writes the file and
// closes the window, without a message.
TEST_F(Preferences, AnUnreadableSearchPathIsWrittenAsEmpty) {
    const BinaryValueOverride unreadable(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Library",
                                         "SearchPath", 4096);
    HWND prefs = OpenPreferences();
    ASSERT_NE(prefs, nullptr);
    Click(FindChild(prefs, "&Close"));
    ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(app_.Id(), kPrefsCaption) == nullptr; }, 10000));
    EXPECT_EQ(FindWindowOf(app_.Id(), "Tarnwick"), nullptr);
    EXPECT_EQ(ReadFileBytes(ConfigPath()),
              "-a " + LibrarySetting("UnitAliases") + "\r\n-u\"\"\r\n-i\"\"\r\n-o\"\"\r\n-r\"\"\r\n");
}

TEST(PreferencesDetection, ProposesTheDelphiCompilerOrTheBareName) {
    ResetSettings();
    const std::string saved = DelphiEntry();
    const TScopeExit restore([saved] { SetDelphiEntry(saved); });
    for (const auto& [entry, proposed] :
         {std::pair<std::string, std::string>{"C:\\D3\\Bin\\delphi32.exe", "C:\\D3\\Bin\\dcc32.exe"},
          {"", "dcc32.exe"}}) {
        SetDelphiEntry(entry);
        ResetSettings(); // a stored compiler path would replace the proposal
        Process app;
        HWND main = StartToMainWindow(app, "prefs-detect");
        ASSERT_NE(main, nullptr);
        Click(OptionsButton(main));
        HWND prefs = WaitForWindow(app.Id(), kPrefsCaption, 10000);
        ASSERT_NE(prefs, nullptr);
        EXPECT_EQ(WindowText(Children(prefs, "Edit").at(0)), proposed);
        Close(prefs);
        WaitUntil([&] { return FindWindowOf(app.Id(), kPrefsCaption) == nullptr; }, 10000);
        Close(main);
        EXPECT_TRUE(app.WaitForExit(10000));
    }
}
