// Settings in the registry as the running program writes and reads them.
#include "e2e/driver.h"

#include <gtest/gtest.h>

#include <set>

using namespace e2e;

namespace {
std::set<std::string> ValueNames(const std::string& section, bool& allStrings) {
    std::set<std::string> names;
    allStrings = true;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\tnwk\\" + section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &size, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(name);
        allStrings = allStrings && type == REG_SZ;
    }
    RegCloseKey(key);
    return names;
}

void SetDword(const std::string& section, const std::string& name, DWORD value) {
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, ("Software\\tnwk\\" + section).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

RECT WindowRect(HWND wnd) {
    RECT rc{};
    GetWindowRect(wnd, &rc);
    return rc;
}

const std::set<std::string> kPlacementNames = {
    "Flags",   "ShowCmd",           "PixelsPerInch", "MinMaxPos", "MinMaxPos(1024x768)",
    "NormPos", "NormPos(1024x768)", "Visible"};

std::set<std::string> With(std::set<std::string> names, std::initializer_list<const char*> more) {
    for (const char* name : more)
        names.insert(name);
    return names;
}
} // namespace

TEST(Storage, ARunLeavesExactlyTheDocumentedValuesAsStrings) {
    ResetSettings(false);
    SetProgramSetting("Defaults", "FirstTime", "1");
    Process app;
    HWND main = StartToMainWindow(app, "storage");
    ASSERT_NE(main, nullptr);
    Close(main);
    ASSERT_TRUE(app.WaitForExit(10000));

    bool strings = false;
    EXPECT_EQ(ValueNames("Defaults", strings), With(kPlacementNames, {"Project_InitialDir", "FirstTime"}));
    EXPECT_TRUE(strings);
    EXPECT_EQ(ProgramSetting("Defaults", "Visible"), "0");
    EXPECT_EQ(ProgramSetting("Defaults", "PixelsPerInch"), "96");
    // The windows never shown were never loaded, so nothing of theirs is written.
    EXPECT_TRUE(ValueNames("Preferences", strings).empty());
    EXPECT_TRUE(ValueNames("Output", strings).empty());
}

TEST(Storage, ThePreferencesComeBackAfterARestart) {
    ResetSettings();
    SetProgramSetting("Preferences", "Buildall_Checked", "true"); // identifiers ignore case
    SetProgramSetting("Preferences", "CompPath_FileName", "C:\\Elsewhere\\dcc32.exe");
    Process app;
    HWND main = StartToMainWindow(app, "storage");
    ASSERT_NE(main, nullptr);
    Click(OptionsButton(main));
    HWND prefs = WaitForWindow(app.Id(), kPrefsCaption, 10000);
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(WindowText(Children(prefs, "Edit").at(0)), "C:\\Elsewhere\\dcc32.exe");
    Close(prefs);
    ASSERT_TRUE(WaitUntil([&] { return FindWindowOf(app.Id(), kPrefsCaption) == nullptr; }, 10000));
    Close(main);
    ASSERT_TRUE(app.WaitForExit(10000));
    bool strings = false;
    EXPECT_EQ(ValueNames("Preferences", strings),
              With(kPlacementNames, {"RunP_Checked", "Coutput_Checked", "CompPath_FileName",
                                     "Buildall_Checked", "Mapfile_Checked"}));
    EXPECT_TRUE(strings);
    EXPECT_EQ(ProgramSetting("Preferences", "Buildall_Checked"), "True");
    EXPECT_EQ(ProgramSetting("Preferences", "RunP_Checked"), "False");
}

TEST(Storage, AHexadecimalFirstTimeCountsAsDone) {
    ResetSettings(false);
    SetProgramSetting("Defaults", "FirstTime", "0x1");
    Process app;
    HWND main = StartToMainWindow(app, "storage");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(FindWindowOf(app.Id(), kStartCaption), nullptr);
    Close(main);
    EXPECT_TRUE(app.WaitForExit(10000));
}

TEST(Storage, APlacementIsUsedOnlyAtTheSamePixelsPerInchAndFallsBackToThePlainName) {
    struct Case {
        const char* ppi;
        const char* sized;
        int expectedLeft; // -1: centred as designed
    };
    for (const Case& c : {Case{"120", "NormPos(1024x768)", -1}, Case{"96", "NormPos(1024x768)", 100},
                          Case{"96", "NormPos(800x600)", 40}}) {
        ResetSettings();
        SetProgramSetting("Defaults", "PixelsPerInch", c.ppi);
        SetProgramSetting("Defaults", c.sized, "100,120,400,300");
        SetProgramSetting("Defaults", "NormPos", "40,50,340,230");
        Process app;
        HWND main = StartToMainWindow(app, "storage");
        ASSERT_NE(main, nullptr);
        const RECT rc = WindowRect(main);
        if (c.expectedLeft < 0)
            EXPECT_EQ(rc.left, (1024 - (rc.right - rc.left)) / 2) << c.ppi << " " << c.sized;
        else
            EXPECT_EQ(rc.left, c.expectedLeft) << c.ppi << " " << c.sized;
        Close(main);
        EXPECT_TRUE(app.WaitForExit(10000));
    }
}

TEST(Storage, AValueOfTheWrongTypeIsReportedOnceAndTheRestStillLoads) {
    ResetSettings();
    SetDword("Defaults", "ShowCmd", 1);
    SetProgramSetting("Defaults", "PixelsPerInch", "96");
    SetProgramSetting("Defaults", "NormPos", "100,120,400,300");
    Process app = StartTarnwick("", FreshFolder("storage"));
    HWND box = WaitForWindow(app.Id(), "Tarnwick", 15000);
    ASSERT_NE(box, nullptr);
    // No period: the message ends in a quote, which sorts below ".".
    EXPECT_EQ(MessageBoxText(box), "Ungültiger Datentyp für 'ShowCmd'");
    Click(FindChild(box, "OK"));
    HWND main = WaitForWindow(app.Id(), kMainCaption, 15000);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowRect(main).left, 100);
    Close(main);
    ASSERT_TRUE(app.WaitForExit(10000));
    // The close wrote the value again as a string: the next start is quiet.
    bool strings = false;
    ValueNames("Defaults", strings);
    EXPECT_TRUE(strings);
}

TEST(Storage, TheOutputWindowKeepsItsColoursAndFontUnderTheDocumentedNames) {
    ResetSettings();
    SetProgramSetting("Output", "Memo1_FontName", "Courier New");
    SetProgramSetting("Output", "Memo1_FontHeight", "-11");
    SetProgramSetting("Output", "Memo1_FontSize", "12"); // set after the height: the size decides
    SetProgramSetting("Output", "Memo1_FontStyle", "[fsBold, fsitalic]");
    const std::string folder = FreshFolder("storage-output");
    CopyExample("broken", folder);
    Process app = StartTarnwick("\"" + JoinPath(folder, "broken.dpr") + "\"", folder);
    HWND output = WaitForOutputWindow(app.Id(), 30000);
    ASSERT_NE(output, nullptr);
    Close(output);
    ASSERT_TRUE(WaitUntil([&] { return FindOutputWindow(app.Id()) == nullptr; }, 10000));
    HWND main = WaitForWindow(app.Id(), kMainCaption, 10000);
    ASSERT_NE(main, nullptr);
    Close(main);
    ASSERT_TRUE(app.WaitForExit(10000));

    bool strings = false;
    EXPECT_EQ(ValueNames("Output", strings),
              With(kPlacementNames,
                   {"ClBtn_Color", "Memo1_Color", "Memo1_FontCharset", "Memo1_FontColor", "Memo1_FontHeight",
                    "Memo1_FontName", "Memo1_FontPitch", "Memo1_FontSize", "Memo1_FontStyle"}));
    EXPECT_TRUE(strings);
    EXPECT_EQ(ProgramSetting("Output", "Memo1_FontName"), "Courier New");
    EXPECT_EQ(ProgramSetting("Output", "Memo1_FontSize"), "12");
    EXPECT_EQ(ProgramSetting("Output", "Memo1_FontHeight"), "-16");
    EXPECT_EQ(ProgramSetting("Output", "Memo1_FontStyle"), "[fsBold,fsItalic]");
    EXPECT_EQ(ProgramSetting("Output", "Memo1_Color"), "12632256");
    EXPECT_EQ(ProgramSetting("Output", "Memo1_FontColor"), "-2147483640");
}
