// The installer under Wine: a silent install, the installed program's main window, a silent uninstall
// that removes the files and the registration and leaves the user's settings.
#include "e2e/driver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

using namespace e2e;

namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarnwick";
const char* const kInstalledFiles[] = {"tnwk.exe",       "README.txt",      "uninstall.exe",
                                       "help\\main.htm", "help\\prefs.htm", "help\\output.htm",
                                       "help\\tnwk.css"};

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// A value of the uninstall registration as text (a number in decimal); empty when missing.
std::string Registration(const char* name) {
    char text[MAX_PATH] = {};
    DWORD size = sizeof text;
    DWORD type = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, text,
                     &size) != ERROR_SUCCESS)
        return {};
    return type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(text)) : std::string(text);
}

bool Registered() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Runs the command line to its end; its exit code, or ~0 when it did not start or end in time.
DWORD RunToEnd(const std::string& commandLine, int timeoutMs) {
    Process process = StartProgram(commandLine, "");
    DWORD code = ~DWORD{0};
    if (process.Handle() && process.WaitForExit(timeoutMs))
        GetExitCodeProcess(process.Handle(), &code);
    return code;
}

class Installer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(TNWK_INSTALLER)) << TNWK_INSTALLER << ": build the target dist (needs nsis)";
        ResetSettings();
    }
    void TearDown() override {
        // A failed test must not leave an installation for the next run.
        if (FileExists(JoinPath(folder_, "uninstall.exe")))
            RunToEnd("\"" + JoinPath(folder_, "uninstall.exe") + "\" /S _?=" + folder_, 60000);
        DeleteFileA(JoinPath(folder_, "uninstall.exe").c_str());
        RemoveDirectoryA(folder_.c_str());
        DeleteProgramSettings();
    }

    const std::string folder_ = JoinPath(ShellFolder(CSIDL_PROGRAM_FILES), "Tarnwick");
    const std::string shortcut_ = JoinPath(ShellFolder(CSIDL_COMMON_PROGRAMS), "Tarnwick.lnk");
};

} // namespace

TEST_F(Installer, InstallsSilentlyRunsAndUninstallsSilentlyKeepingTheSettings) {
    {
        Process setup = StartProgram("\"" TNWK_INSTALLER "\" /S", "");
        if (!setup.Handle() && sizeof(void*) == 8)
            GTEST_SKIP() << "this 64-bit Wine cannot start the 32-bit installer (error " << GetLastError()
                         << ")";
        ASSERT_TRUE(setup.Handle()) << "error " << GetLastError();
        DWORD code = ~DWORD{0};
        ASSERT_TRUE(setup.WaitForExit(60000));
        GetExitCodeProcess(setup.Handle(), &code);
        ASSERT_EQ(code, 0u);
    }
    for (const char* file : kInstalledFiles)
        EXPECT_TRUE(FileExists(JoinPath(folder_, file))) << file;
    EXPECT_FALSE(FileExists(JoinPath(folder_, "dcc32.exe"))) << "the stand-in compiler is a test tool";
    EXPECT_TRUE(FileExists(shortcut_)) << shortcut_;
    EXPECT_EQ(Registration("DisplayName"), "Tarnwick");
    EXPECT_EQ(Registration("DisplayVersion"), "1.0.0.0");
    EXPECT_EQ(Registration("Publisher"), "Wrenworks");
    EXPECT_EQ(Registration("DisplayIcon"), JoinPath(folder_, "tnwk.exe") + ",0");
    EXPECT_EQ(Registration("UninstallString"), "\"" + JoinPath(folder_, "uninstall.exe") + "\"");
    EXPECT_GT(std::stoul("0" + Registration("EstimatedSize")), 100u) << "kilobytes, tnwk.exe alone is more";

    {
        Process app = StartProgram("\"" + JoinPath(folder_, "tnwk.exe") + "\"", FreshFolder("installed"));
        HWND main = WaitForWindow(app.Id(), kMainCaption, 15000);
        ASSERT_NE(main, nullptr) << "the installed program's main window did not appear";
        Close(main);
        EXPECT_TRUE(app.WaitForExit(10000));
    }
    SetProgramSetting("Preferences", "Coutput.Checked", "1");

    // Without "_?=" the uninstaller runs from a copy of itself and returns at once, as for a user.
    ASSERT_EQ(RunToEnd("\"" + JoinPath(folder_, "uninstall.exe") + "\" /S", 30000), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !DirectoryExists(folder_) && !Registered(); }, 30000));
    for (const char* file : kInstalledFiles)
        EXPECT_FALSE(FileExists(JoinPath(folder_, file))) << file;
    EXPECT_FALSE(FileExists(shortcut_));
    EXPECT_EQ(ProgramSetting("Defaults", "FirstTime"), "1");
    EXPECT_EQ(ProgramSetting("Preferences", "Coutput.Checked"), "1");
}
