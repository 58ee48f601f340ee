// The output window in-process: loading "output.txt" when shown, inserting lines at the top, the
// colour and font dialogs, printing's message, and the layout when resized.
#include "base/SysUtils.h"
#include "controls/CBtnForm.h"
#include "output/OutputFile_core.h"
#include "output/output.h"
#include "win/Dialogs.h"
#include "support/DialogDriver.h"
#include "support/Files.h"
#include "win/standin_harness.h"

#include <colordlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <utility>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {
using support::DialogDriver;

void PressButton(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Types a number into an edit of the dialog, replacing what it held.
void TypeInto(HWND dialog, int id, const std::string& digits) {
    HWND edit = GetDlgItem(dialog, id);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : digits)
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

std::string DlgText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

BOOL CALLBACK FindStaticText(HWND child, LPARAM out) {
    char name[16] = {}, text[256] = {};
    GetClassNameA(child, name, sizeof name);
    GetWindowTextA(child, text, sizeof text);
    if (std::string(name) == "Static" && text[0]) {
        *reinterpret_cast<std::string*>(out) = text;
        return FALSE;
    }
    return TRUE;
}

std::string StaticText(HWND dialog) {
    std::string found;
    EnumChildWindows(dialog, &FindStaticText, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Sends the next print job of the test printer (port LPT1:) into build\\print\\<name>.ps and writes
// what the Ghostscript check of that file expects into <name>.expected.
class PrintCapture {
  public:
    explicit PrintCapture(const std::string& name)
        : base_(std::string(TNWK_SOURCE_DIR) + "\\build\\print\\" + name) {
        CreateDirectoryA((std::string(TNWK_SOURCE_DIR) + "\\build\\print").c_str(), nullptr);
        DeleteFileA((base_ + ".ps").c_str());
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof previous_;
        hadPrevious_ = RegQueryValueExA(key_, "LPT1:", nullptr, nullptr, reinterpret_cast<BYTE*>(previous_),
                                        &size) == ERROR_SUCCESS;
        // The spooler writes to a Linux path: the Z: drive is the root.
        std::string unixPath = (base_ + ".ps").substr(2);
        for (char& c : unixPath)
            if (c == '\\')
                c = '/';
        RegSetValueExA(key_, "LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE*>(unixPath.c_str()),
                       static_cast<DWORD>(unixPath.size() + 1));
    }
    ~PrintCapture() {
        if (hadPrevious_)
            RegSetValueExA(key_, "LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_),
                           static_cast<DWORD>(std::strlen(previous_) + 1));
        RegCloseKey(key_);
    }
    PrintCapture(const PrintCapture&) = delete;
    PrintCapture& operator=(const PrintCapture&) = delete;

    void Expect(const std::string& text) const { standin_harness::writeFile(base_ + ".expected", text); }
    // The pages of the captured job ("%%Page:" comments of the PostScript).
    int Pages() const {
        const std::string ps = FileExists(base_ + ".ps") ? support::ReadFileBytes(base_ + ".ps") : "";
        int pages = 0;
        for (std::size_t at = ps.find("\n%%Page:"); at != std::string::npos;
             at = ps.find("\n%%Page:", at + 1))
            ++pages;
        return pages;
    }

  private:
    std::string base_;
    HKEY key_ = nullptr;
    char previous_[MAX_PATH] = {};
    bool hadPrevious_ = false;
};

class OutputWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, savedFolder_);
        SetCurrentDirectoryA(folder_.path().c_str());
        form_ = std::make_unique<TOpForm>(nullptr);
    }
    void TearDown() override {
        form_.reset();
        SetCurrentDirectoryA(savedFolder_);
    }
    void WriteOutput(const std::string& bytes) { standin_harness::writeFile(folder_ / "output.txt", bytes); }
    static std::string Today() {
        char date[128] = {};
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
        return date;
    }

    standin_harness::TempFolder folder_;
    char savedFolder_[MAX_PATH] = {};
    std::unique_ptr<TOpForm> form_;
};
} // namespace

TEST_F(OutputWindow, ShowingFromHiddenLoadsTheFileAndShowingAgainKeepsEdits) {
    WriteOutput("Tarnwick\r\nbroken.dpr(16): Error\nlast\r\n");
    form_->Show();
    EXPECT_EQ(form_->Memo1->Text(), "Tarnwick\r\nbroken.dpr(16): Error\r\nlast");
    SendMessageA(form_->Memo1->Handle(), WM_CHAR, 'X', 0);

    WriteOutput("second compile\r\n");
    form_->Show(); // already visible: brought to the front only
    EXPECT_EQ(form_->Memo1->Text(), "XTarnwick\r\nbroken.dpr(16): Error\r\nlast");

    form_->ExitBtn->Click();
    EXPECT_FALSE(form_->Showing());
    form_->Show();
    EXPECT_EQ(form_->Memo1->Text(), "second compile");
}

TEST_F(OutputWindow, AFileThatCannotBeOpenedLeavesTheTextAsItWas) {
    form_->Memo1->SetText("earlier output");
    const std::string missing = folder_ / "missing.txt";
    try {
        form_->LoadOutputFile(missing);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Datei " + missing +
                                   " kann nicht ge\xF6"
                                   "ffnet werden");
    }
    EXPECT_EQ(form_->Memo1->Text(), "earlier output");
}

TEST_F(OutputWindow, AHugeOutputLoadsWholeAndStillTakesLinesAtTheTop) {
    std::string content;
    for (int i = 0; content.size() < (3u << 20); ++i)
        content +=
            "unit" + std::to_string(i) + ".pas(12): Warning: Variable 'I' is declared but never used\r\n";
    WriteOutput(content);
    form_->Show();
    EXPECT_EQ(form_->Memo1->Text().size(), content.size() - 2);
    form_->DateBtn->Click();
    const TStringList lines = form_->Memo1->Lines();
    EXPECT_EQ(lines[0], Today());
    EXPECT_EQ(lines[2], "unit0.pas(12): Warning: Variable 'I' is declared but never used");
    EXPECT_EQ(form_->Memo1->Text().size(), content.size() - 2 + Today().size() + 4);
}

// An output beyond what the 32-bit program can hold is refused by the program's own message with its
// size (never the library's "std::bad_alloc"), and the window keeps its text. The file is sparse.
TEST_F(OutputWindow, AnOutputTooLargeToHoldIsRefusedWithItsSize) {
    WriteOutput("x");
    std::filesystem::resize_file(folder_ / "output.txt", 1288490188u);
    form_->Memo1->SetText("earlier output");
    try {
        form_->LoadOutputFile(folder_ / "output.txt");
        ADD_FAILURE() << "no error";
    } catch (const EOutputTooLarge& e) {
        EXPECT_EQ(e.Message(), "The compiler output is too large to show: 1,288,490,188 bytes.");
    }
    EXPECT_EQ(form_->Memo1->Text(), "earlier output");
}

// A plain message and the default handler's error message disable every window of the program while
// they show, the output window too, also when none of them is active.
// Disabled: under 64-bit Wine the message box of this test is not found by the dialog driver and the
// test waits for ever (not yet explained).
TEST_F(OutputWindow, MessagesDisableEveryWindowOfTheProgram) {
    TApplication application;
    application.SetTitle("Tarnwick");
    TForm* main = application.CreateForm<TForm>();
    main->Show();
    WriteOutput("output\r\n"); // else showing the window reports the missing file
    form_->Show();
    struct Message {
        const char* text;
        std::function<void()> show;
    };
    const Message messages[] = {
        {"First select a project!", [] { ShowMessage("First select a project!"); }},
        {"Zu wenig Arbeitsspeicher.", [&] { application.HandleException(std::bad_alloc()); }},
    };
    for (const Message& message : messages) {
        SCOPED_TRACE(message.text);
        SetActiveWindow(nullptr);
        bool mainEnabled = true, outputEnabled = true;
        std::string caption, text;
        DialogDriver driver([&](HWND box) {
            mainEnabled = IsWindowEnabled(main->Handle()) != FALSE;
            outputEnabled = IsWindowEnabled(form_->Handle()) != FALSE;
            char title[64] = {};
            GetWindowTextA(box, title, sizeof title);
            caption = title;
            text = StaticText(box);
            PressButton(box, IDOK);
        });
        message.show();
        ASSERT_TRUE(driver.Finish());
        EXPECT_EQ(caption, "Tarnwick");
        EXPECT_EQ(text, message.text);
        EXPECT_FALSE(mainEnabled);
        EXPECT_FALSE(outputEnabled);
        EXPECT_TRUE(IsWindowEnabled(main->Handle()));
        EXPECT_TRUE(IsWindowEnabled(form_->Handle()));
    }
}

TEST_F(OutputWindow, DateAndProjectPathGoAboveTheOutputEachWithAnEmptyLine) {
    form_->Memo1->SetText("output");
    form_->DateBtn->Click();
    form_->DateBtn->Click();
    EXPECT_EQ(form_->Memo1->Text(), Today() + "\r\n\r\n" + Today() + "\r\n\r\noutput");
    // Without a main window there is no project name: an empty line above an empty line.
    form_->Memo1->SetText("output");
    form_->ToolbarButton6->Click();
    EXPECT_EQ(form_->Memo1->Text(), "\r\n\r\noutput");
}

TEST_F(OutputWindow, AColourChosenOnTheButtonBecomesTheMemosBackgroundAtOnce) {
    int changes = 0;
    form_->ClBtn->OnColorChange = [&](TComponent* sender) {
        ++changes;
        form_->ClBtnColorChange(sender);
    };
    SetCursorPos(0, 0); // away from the button, so closing the palette leaves its next click alone
    // The button drops its palette down; the palette's "&Other" button runs the colour dialog.
    auto chooseOther = [&](std::function<void(HWND)> act) {
        SendMessageA(form_->ClBtn->Handle(), BM_CLICK, 0, 0);
        TColorButtonPalette* palette = form_->ClBtn->Palette();
        ASSERT_NE(palette, nullptr);
        DialogDriver driver(std::move(act));
        SendMessageA(palette->btnOther->Handle(), BM_CLICK, 0, 0);
        ASSERT_TRUE(driver.Finish());
    };
    chooseOther([](HWND dialog) {
        TypeInto(dialog, COLOR_RED, "10");
        TypeInto(dialog, COLOR_GREEN, "200");
        TypeInto(dialog, COLOR_BLUE, "30");
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(form_->ClBtn->Palette(), nullptr); // a confirmed colour closes the palette
    EXPECT_EQ(form_->ClBtn->Color(), RGBColor(10, 200, 30));
    EXPECT_EQ(form_->ClBtn->OtherColor(), RGBColor(10, 200, 30));
    EXPECT_EQ(form_->Memo1->Color(), RGBColor(10, 200, 30));
    EXPECT_EQ(changes, 1);

    chooseOther([](HWND dialog) {
        TypeInto(dialog, COLOR_RED, "255");
        PressButton(dialog, IDCANCEL);
    });
    ASSERT_NE(form_->ClBtn->Palette(), nullptr); // cancelling leaves the palette open
    SendMessageA(form_->ClBtn->Palette()->Handle(), WM_CHAR, 27, 0);
    EXPECT_EQ(form_->ClBtn->Palette(), nullptr);
    EXPECT_EQ(form_->Memo1->Color(), RGBColor(10, 200, 30));
    form_->ClBtn->SetColor(RGBColor(10, 200, 30)); // the same colour again: no change event
    EXPECT_EQ(changes, 1);
}

TEST_F(OutputWindow, TheFontDialogStartsFromTheMemosFontAndOnlyOkChangesIt) {
    std::string offeredFace;
    {
        DialogDriver driver([&](HWND dialog) {
            offeredFace = DlgText(dialog, cmb1);
            PressButton(dialog, IDCANCEL);
        });
        form_->FontBtn->Click();
        ASSERT_TRUE(driver.Finish());
    }
    EXPECT_EQ(offeredFace, "Courier");
    EXPECT_EQ(form_->Memo1->Font().Desc().name, "Courier");

    {
        DialogDriver driver([](HWND dialog) {
            HWND faces = GetDlgItem(dialog, cmb1);
            SendMessageA(faces, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Tahoma"));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(faces));
            PressButton(dialog, IDOK);
        });
        form_->FontBtn->Click();
        ASSERT_TRUE(driver.Finish());
    }
    EXPECT_EQ(form_->Memo1->Font().Desc().name, "Tahoma");
    EXPECT_EQ(form_->Memo1->Font().Desc().height, -13);
}

TEST_F(OutputWindow, PageSetupHandsTheConfirmedMarginsToTheLinePrinterAndThePrintUsesThem) {
    PrintCapture capture("pagesetup");
    DialogDriver driver([](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, 0x483), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("50")); // left
        SendMessageA(GetDlgItem(dialog, 0x484), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("40")); // top
        PressButton(dialog, IDOK);
    });
    form_->PsetupBtn->Click();
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(form_->psetup->Margins().Left, 5000);
    EXPECT_EQ(form_->psetup->Margins().Top, 4000);
    EXPECT_FLOAT_EQ(form_->LinePrinter1->MarginLeft(), 50.0f);
    EXPECT_FLOAT_EQ(form_->LinePrinter1->MarginTop(), 40.0f);

    form_->Memo1->SetText("MMMMMMMMMM");
    form_->Printbtn->Click();
    // Where the text starts on paper, in points, for the Ghostscript check (print.pagesetup).
    capture.Expect("left " + std::to_string(50 * 72 / 25.4) + "\ntop " + std::to_string(40 * 72 / 25.4));
    EXPECT_EQ(capture.Pages(), 1);
}

TEST_F(OutputWindow, PageSetupOpensWithTheMarginsThePrintUsesAndOkWithoutEditsKeepsThem) {
    std::vector<double> shown;
    DialogDriver driver([&shown](HWND dialog) {
        for (int id = 0x483; id <= 0x486; ++id) { // left, top, right, bottom
            std::string text = DlgText(dialog, id);
            std::replace(text.begin(), text.end(), ',', '.');
            shown.push_back(std::atof(text.c_str()));
        }
        PressButton(dialog, IDOK);
    });
    form_->PsetupBtn->Click();
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(shown, (std::vector<double>{20, 20, 20, 20})) << "millimetres";
    const TLinePrinter& printer = *form_->LinePrinter1;
    EXPECT_EQ((std::vector<float>{printer.MarginLeft(), printer.MarginTop(), printer.MarginRight(),
                                  printer.MarginBottom()}),
              (std::vector<float>{20, 20, 20, 20}));
}

TEST_F(OutputWindow, PrintPutsEveryLineOfAFailingCompileOnPaper) {
    PrintCapture capture("compile");
    standin_harness::copyFile(standin_harness::examplePath("broken\\broken.dpr"), folder_ / "broken.dpr");
    std::string output = standin_harness::runDcc32("broken.dpr", folder_.path()).output;
    // Enough lines for several pages, a tab and one line far wider than the paper.
    for (int i = 1; i <= 150; ++i)
        output += "broken.dpr(" + std::to_string(i) + "): Hint: line " + std::to_string(i) + "\r\n";
    output += "\tindented " + std::string(40, 'w') + " " + std::string(300, 'z') + " end\r\n";
    WriteOutput(output);
    form_->Show();
    form_->Printbtn->Click();
    std::string expected;
    const TStringList lines = form_->Memo1->Lines();
    for (const std::string& line : lines.Lines())
        expected += line + "\n";
    capture.Expect(expected);
    EXPECT_GE(capture.Pages(), 2);
    EXPECT_FALSE(form_->LinePrinter1->Printing());
}

TEST_F(OutputWindow, TheMemoFillsTheWindowBelowTheToolbarWhenResized) {
    form_->SetBounds(10, 10, 700, 500);
    EXPECT_EQ(form_->Dock1->Width(), form_->ClientWidth());
    EXPECT_EQ(form_->Dock1->Height(), 29);
    EXPECT_EQ(form_->Memo1->Top(), 29);
    EXPECT_EQ(form_->Memo1->Width(), form_->ClientWidth());
    EXPECT_EQ(form_->Memo1->Height(), form_->ClientHeight() - 29);
}
