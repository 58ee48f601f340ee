// Printing on a machine without any printer: start-up is not held up by a message box, and the
// output window's Print reports that printing could not begin.
#include "e2e/driver.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {
constexpr const char* kPrinter = "Tarnwick PostScript";

int RunPrinterTool(const std::string& arguments) {
    std::string commandLine = "\"" + JoinPath(BinDir(), "tools\\addprinter.exe") + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return -1;
    Process tool(info.hProcess, info.dwProcessId);
    CloseHandle(info.hThread);
    DWORD code = 1;
    if (tool.WaitForExit(30000))
        GetExitCodeProcess(info.hProcess, &code);
    return static_cast<int>(code);
}

// The test printer removed for the scope and installed again (as the default printer) at its end.
class NoPrinter {
  public:
    NoPrinter() { removed_ = RunPrinterTool(std::string("remove \"") + kPrinter + "\"") == 0; }
    ~NoPrinter() { RunPrinterTool(std::string("install \"") + kPrinter + "\" C:\\tarnwick.ppd"); }
    NoPrinter(const NoPrinter&) = delete;
    NoPrinter& operator=(const NoPrinter&) = delete;
    bool Removed() const { return removed_; }

  private:
    bool removed_ = false;
};
} // namespace

TEST(PrintingWithoutPrinter, StartUpIsNotBlockedAndPrintSaysPrintingCouldNotBegin) {
    NoPrinter noPrinter;
    ASSERT_TRUE(noPrinter.Removed());
    ResetSettings();
    const std::string folder = FreshFolder("noprinter");
    CopyExample("broken", folder);
    Process app = StartTarnwick("\"" + JoinPath(folder, "broken.dpr") + "\"", folder);
    HWND main = WaitForWindow(app.Id(), kMainCaption, 15000);
    ASSERT_NE(main, nullptr);
    HWND output = WaitForOutputWindow(app.Id(), 40000);
    ASSERT_NE(output, nullptr);
    ASSERT_TRUE(Settled(main, 15000));

    Click(ToolButtonAt(output, 25)); // Print.
    HWND box = WaitForWindow(app.Id(), "Tarnwick", 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Unable to begin printing.");
    Close(box);
    Close(main);
    EXPECT_TRUE(app.WaitForExit(10000));
    RemoveFolder(folder);
}
