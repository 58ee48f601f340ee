// The program as a user meets it: start-up, the first-start dialogs, closing.
#include "e2e/driver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace e2e;

TEST(Startup, ShowsMainWindowWithStartDisabledAndSavesFirstTime) {
    ResetSettings();
    Process app;
    HWND main = StartToMainWindow(app, "startup");
    ASSERT_NE(main, nullptr);
    HWND start = FindChild(main, "&Start");
    HWND exitButton = FindChild(main, "&Exit");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(exitButton, nullptr);
    EXPECT_FALSE(IsWindowEnabled(start));
    ASSERT_NE(FindChild(main, "Compiling... please wait"), nullptr);
    EXPECT_FALSE(IsWindowVisible(FindChild(main, "Compiling... please wait")));
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 292);
    EXPECT_EQ(client.bottom, 119);

    Click(exitButton);
    EXPECT_TRUE(app.WaitForExit(10000));
    EXPECT_EQ(ProgramSetting("Defaults", "FirstTime"), "1");
}

TEST(Startup, FirstStartShowsWelcomeThenPreferencesBeforeTheMainWindow) {
    ResetSettings(false);
    Process app = StartTarnwick("", FreshFolder("firststart"));
    HWND welcome = WaitForWindow(app.Id(), kStartCaption, 15000);
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(FindWindowOf(app.Id(), kMainCaption), nullptr);
    ASSERT_NE(FindChild(welcome, "OK"), nullptr);
    Click(FindChild(welcome, "OK"));

    HWND prefs = WaitForWindow(app.Id(), kPrefsCaption, 10000);
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(FindWindowOf(app.Id(), kStartCaption), nullptr);
    Close(prefs);
    HWND main = WaitForWindow(app.Id(), kMainCaption, 10000);
    ASSERT_NE(main, nullptr);
    Close(main);
    ASSERT_TRUE(app.WaitForExit(10000));

    // The next start shows neither dialog.
    Process again = StartTarnwick("", FreshFolder("firststart"));
    ASSERT_NE(WaitForWindow(again.Id(), kMainCaption, 15000), nullptr);
    EXPECT_EQ(FindWindowOf(again.Id(), kStartCaption), nullptr);
    EXPECT_EQ(FindWindowOf(again.Id(), kPrefsCaption), nullptr);
    Close(FindWindowOf(again.Id(), kMainCaption));
    EXPECT_TRUE(again.WaitForExit(10000));
}

TEST(Startup, TypingANameEnablesStartAndClearingDisablesIt) {
    ResetSettings();
    Process app;
    HWND main = StartToMainWindow(app, "typing");
    ASSERT_NE(main, nullptr);
    HWND start = FindChild(main, "&Start");
    HWND edit = Children(main, "Edit").at(0);
    for (char c : std::string("c:\\x.dpr"))
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    EXPECT_TRUE(
        WaitUntil([&] { return IsWindowEnabled(start) != FALSE && WindowText(edit) == "c:\\x.dpr"; }, 5000));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    PostMessageA(edit, WM_CHAR, VK_BACK, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(start) == FALSE; }, 5000));
    Close(main);
    EXPECT_TRUE(app.WaitForExit(10000));
}

// A fault while the windows are created or the command line is taken is shown by the default handler,
// and start-up goes on to the main window; a Delphi entry the registry reader cannot read counts as
// missing, without a message.
TEST(Startup, FaultsWhileStartingAreShownAndTheMainWindowFollows) {
    struct Case {
        const char* what;
        const char* delphiEntry; // nullptr: a binary value the reader refuses
        const char* arguments;
        const char* message;  // of the error box captioned with the title; nullptr: none
        const char* proposed; // the preferences' compiler path afterwards
    };
    const Case cases[] = {
        {"folder with brackets", "C:\\Tools [old]\\Delphi 3\\Bin\\delphi32.exe", "",
         "Ungültiger Dateiname - C:\\Tools [old]\\Delphi 3\\Bin\\dcc32.exe.", ""},
        {"unreadable entry", nullptr, "", nullptr, "dcc32.exe"},
        {"invalid command-line name", "C:\\D3\\Bin\\delphi32.exe", "\"a|b.dpr\"",
         "Ungültiger Dateiname - a|b.dpr.", "C:\\D3\\Bin\\dcc32.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetSettings();
        const DelphiEntryOverride entry(c.delphiEntry ? c.delphiEntry : "");
        std::optional<BinaryValueOverride> binary;
        if (!c.delphiEntry)
            binary.emplace(HKEY_LOCAL_MACHINE, kDelphiKey, "Delphi 3", 4096, KEY_WOW64_32KEY);
        Process app = StartTarnwick(c.arguments, FreshFolder("startup-faults"));
        if (c.message) {
            HWND box = WaitForWindow(app.Id(), "Tarnwick", 15000);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(MessageBoxText(box), c.message);
            Click(FindChild(box, "OK", "Button"));
        }
        HWND main = WaitForWindow(app.Id(), kMainCaption, 15000);
        ASSERT_NE(main, nullptr) << "the program ended before its main window";
        EXPECT_EQ(FindWindowOf(app.Id(), "Tarnwick"), nullptr);
        Click(OptionsButton(main));
        HWND prefs = WaitForWindow(app.Id(), kPrefsCaption, 10000);
        ASSERT_NE(prefs, nullptr);
        EXPECT_EQ(WindowText(Children(prefs, "Edit").at(0)), c.proposed);
        Close(prefs);
        WaitUntil([&] { return FindWindowOf(app.Id(), kPrefsCaption) == nullptr; }, 10000);
        Close(main);
        EXPECT_TRUE(app.WaitForExit(10000));
    }
}
