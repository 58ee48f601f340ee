// Compiling as a user does it: a file named on the command line or dropped on the edit, the results
// on disk and the windows shown, Run project, the missing compiler, and what Start and closing do
// while the compiler or the built program is still running.
#include "e2e/driver.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int kCompileTimeoutMs = 40000;
constexpr const char* kInformationCaption = "Information";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(folder, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(Lower(data.cFileName));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

class Compile : public ::testing::Test {
  protected:
    void SetUp() override { ResetSettings(); }

    void TearDown() override {
        if (app_.Running()) {
            if (main_)
                Close(main_);
            app_.WaitForExit(15000);
        }
        app_ = Process(); // ends the program if it did not close
        EndProcessesNamed("hello.exe");
        for (const std::string& folder : folders_)
            RemoveFolder(folder);
    }

    // A fresh folder holding the files of the example (none for an empty name).
    std::string ProjectFolder(const std::string& name, const std::string& example) {
        const std::string folder = FreshFolder(name);
        if (!example.empty())
            CopyExample(example, folder);
        folders_.push_back(folder);
        return folder;
    }

    // Starts the program in `folder` and finds its main window, which may be shown only once a
    // compile started from the command line has finished.
    void Start(const std::string& arguments, const std::string& folder,
               const std::vector<std::string>& env = {}) {
        app_ = StartTarnwick(arguments, folder, env);
        main_ = WaitForWindow(app_.Id(), kMainCaption, kCompileTimeoutMs);
        ASSERT_NE(main_, nullptr) << "the main window did not appear";
    }

    // The compile job is over once "output.txt" was written, "compile.bat" is wiped, and the
    // program handles messages again (after its decisions, or inside a message box it shows).
    bool WaitForCompileEnd(const std::string& folder) {
        return WaitUntil(
                   [&] {
                       return FileExists(JoinPath(folder, "output.txt")) &&
                              !FileExists(JoinPath(folder, "compile.bat"));
                   },
                   kCompileTimeoutMs) &&
               Settled(main_, 15000);
    }

    HWND ProjectEdit() const {
        const std::vector<HWND> edits = Children(main_, "Edit");
        return edits.empty() ? nullptr : edits.front();
    }

    HWND OpenWindow(const char* caption) const { return FindWindowOf(app_.Id(), caption); }

    // Clicks the check box "Run project" on in the preferences window and closes it with "&Close".
    void SwitchRunProjectOn() {
        const ToolItem options = OptionsButton(main_);
        ASSERT_TRUE(options);
        Click(options);
        HWND prefs = WaitForWindow(app_.Id(), kPrefsCaption, 10000);
        ASSERT_NE(prefs, nullptr);
        HWND runProject = FindChild(prefs, "&Run project when compiled.", "TnwkControl");
        ASSERT_NE(runProject, nullptr);
        PostMessageA(runProject, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(runProject, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Click(FindChild(prefs, "&Close"));
        ASSERT_TRUE(WaitUntil([&] { return OpenWindow(kPrefsCaption) == nullptr; }, 10000));
    }

    // Types the name into the edit and presses Start.
    void CompileTyped(const std::string& path) {
        HWND edit = ProjectEdit();
        ASSERT_NE(edit, nullptr);
        for (char c : path)
            PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
        HWND start = FindChild(main_, "&Start");
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(start) != FALSE; }, 5000));
        ASSERT_TRUE(WaitUntil([&] { return Lower(WindowText(edit)) == Lower(path); }, 5000));
        Click(start);
    }

    // Waits for a message box captioned "Information", returns its text and presses its OK button.
    std::string DismissInformation() {
        HWND box = WaitForWindow(app_.Id(), kInformationCaption, kCompileTimeoutMs);
        if (!box)
            return "(no message box)";
        const std::string text = MessageBoxText(box);
        Click(FindChild(box, "OK", "Button"));
        WaitUntil([&] { return OpenWindow(kInformationCaption) == nullptr; }, 10000);
        return text;
    }

    Process app_;
    HWND main_ = nullptr;
    std::vector<std::string> folders_;
};

struct CommandLineCase {
    const char* name;
    const char* example;
    const char* file;
    std::vector<const char*> products;
    std::vector<const char*> absent;
    bool showsOutput;
};

// GoogleTest prints a case by its name, not by its bytes (which hold pointers).
void PrintTo(const CommandLineCase& c, std::ostream* out) {
    *out << c.name;
}

class CompileFromCommandLine : public Compile, public ::testing::WithParamInterface<CommandLineCase> {};

// A caption pixel of a message box as Wine's frame draws it: right of the caption's text, left of the
// close button, half-way down the bar.
COLORREF CaptionPixel(HWND box) {
    RECT rc{};
    GetWindowRect(box, &rc);
    const int x = rc.right - GetSystemMetrics(SM_CXDLGFRAME) - GetSystemMetrics(SM_CXSIZE) - 4;
    const int y = rc.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

} // namespace

TEST_P(CompileFromCommandLine, LeavesOutputAndProductsAndShowsTheOutputOnlyOnFailure) {
    const CommandLineCase& c = GetParam();
    const std::string folder = ProjectFolder(std::string("cl-") + c.name, c.example);
    const std::string project = JoinPath(folder, c.file);
    ASSERT_NO_FATAL_FAILURE(Start(Quoted(project), folder));
    ASSERT_TRUE(WaitForCompileEnd(folder));

    EXPECT_EQ(WindowText(ProjectEdit()), Lower(project));
    EXPECT_TRUE(FileExists(JoinPath(folder, "output.txt")));
    EXPECT_FALSE(FileExists(JoinPath(folder, "compile.bat")));
    for (const char* product : c.products)
        EXPECT_TRUE(FileExists(JoinPath(folder, product))) << product;
    for (const char* product : c.absent)
        EXPECT_FALSE(FileExists(JoinPath(folder, product))) << product;
    // The main window shows after the compile that its showing starts: a failure's output window stays
    // in front of it with the activation; otherwise the main window has it.
    HWND output = c.showsOutput ? WaitForOutputWindow(app_.Id(), 10000) : FindOutputWindow(app_.Id());
    EXPECT_EQ(output != nullptr, c.showsOutput);
    ASSERT_TRUE(Settled(main_, 15000));
    EXPECT_EQ(GetForegroundWindow(), c.showsOutput ? output : main_);
    EXPECT_EQ(OpenWindow(kInformationCaption), nullptr);
    EXPECT_EQ(OpenWindow("Tarnwick"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CompileFromCommandLine,
    ::testing::Values(CommandLineCase{"program", "hello", "hello.dpr", {"hello.exe"}, {"hello.dll"}, false},
                      CommandLineCase{"unit", "unit", "mathunit.pas", {"mathunit.dcu"}, {}, false},
                      CommandLineCase{"library", "library", "tools.dpr", {"tools.dll"}, {"tools.exe"}, false},
                      CommandLineCase{
                          "failing", "broken", "broken.dpr", {}, {"broken.exe", "broken.dll"}, true}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return std::string(info.param.name); });

TEST_F(Compile, ATextFileArgumentLeavesTheEditEmptyAndCompilesNothing) {
    const std::string folder = ProjectFolder("cl-text", "");
    WriteFileBytes(JoinPath(folder, "notes.txt"), "not a project\r\n");
    ASSERT_NO_FATAL_FAILURE(Start(Quoted(JoinPath(folder, "notes.txt")), folder));
    ASSERT_TRUE(Settled(main_, 15000));

    EXPECT_EQ(WindowText(ProjectEdit()), "");
    EXPECT_FALSE(IsWindowEnabled(FindChild(main_, "&Start")));
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{"notes.txt"});
    EXPECT_EQ(OpenWindow(kInformationCaption), nullptr);
    EXPECT_EQ(OpenWindow("Tarnwick"), nullptr);
}

TEST_F(Compile, OnlyTheFirstOfTwoArgumentsCounts) {
    const std::string folder = ProjectFolder("cl-two", "library");
    CopyExample("hello", folder);
    const std::string first = JoinPath(folder, "tools.dpr");
    ASSERT_NO_FATAL_FAILURE(Start(Quoted(first) + " " + Quoted(JoinPath(folder, "hello.dpr")), folder));
    ASSERT_TRUE(WaitForCompileEnd(folder));

    EXPECT_EQ(WindowText(ProjectEdit()), Lower(first));
    EXPECT_TRUE(FileExists(JoinPath(folder, "tools.dll")));
    EXPECT_FALSE(FileExists(JoinPath(folder, "hello.exe")));
}

// A relative name counts from the folder the program was started in, also after the project's
// folder became current.
TEST_F(Compile, ARelativeNameWithAFolderIsCompiledThere) {
    const std::string parent = ProjectFolder("cl-relative", "");
    const std::string folder = JoinPath(parent, "proj");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    CopyExample("hello", folder);
    ASSERT_NO_FATAL_FAILURE(Start("proj\\hello.dpr", parent));
    ASSERT_TRUE(WaitForCompileEnd(folder));

    EXPECT_EQ(WindowText(ProjectEdit()), Lower(JoinPath(folder, "hello.dpr")));
    EXPECT_TRUE(FileExists(JoinPath(folder, "hello.exe")));
    EXPECT_EQ(OpenWindow("Tarnwick"), nullptr);
    EXPECT_EQ(FindOutputWindow(app_.Id()), nullptr);
}

TEST_F(Compile, AnUpperCaseNameIsHeldInLowerCaseAndCompiled) {
    const std::string folder = ProjectFolder("cl-upper", "hello");
    const std::string project = JoinPath(folder, "Demo.DPR");
    // The compiler wants the program's name to match the file's.
    std::string source = ReadFileBytes(JoinPath(folder, "hello.dpr"));
    source.replace(source.find("program Hello;"), 14, "program Demo;");
    WriteFileBytes(project, source);
    DeleteFileA(JoinPath(folder, "hello.dpr").c_str());
    ASSERT_NO_FATAL_FAILURE(Start(Quoted(project), folder));
    ASSERT_TRUE(WaitForCompileEnd(folder));

    EXPECT_EQ(WindowText(ProjectEdit()), Lower(project));
    EXPECT_TRUE(FileExists(JoinPath(folder, "demo.exe")));
    EXPECT_EQ(FindOutputWindow(app_.Id()), nullptr);
}

// The drop block is placed in the program's own memory: a drop handle made here would mean
// nothing there (Wine does not carry WM_DROPFILES across processes).
TEST_F(Compile, ADroppedProjectBecomesCurrentAndIsCompiled) {
    const std::string elsewhere = ProjectFolder("drop-start", "");
    const std::string folder = ProjectFolder("drop-project", "hello");
    ASSERT_NO_FATAL_FAILURE(Start("", elsewhere));
    ASSERT_TRUE(Settled(main_, 15000));
    const std::string project = JoinPath(folder, "hello.dpr");
    // Of three dropped files only the first counts.
    ASSERT_TRUE(PostDroppedFiles(ProjectEdit(),
                                 {project, JoinPath(folder, "greet.pas"), JoinPath(elsewhere, "other.dpr")}));
    ASSERT_TRUE(WaitForCompileEnd(folder));

    EXPECT_EQ(WindowText(ProjectEdit()), Lower(project));
    EXPECT_TRUE(FileExists(JoinPath(folder, "hello.exe")));
    EXPECT_EQ(FilesIn(elsewhere), std::set<std::string>{});
    EXPECT_EQ(FindOutputWindow(app_.Id()), nullptr);

    // A dropped file of another kind empties the edit and compiles nothing.
    WriteFileBytes(JoinPath(elsewhere, "notes.txt"), "text\r\n");
    ASSERT_TRUE(PostDroppedFiles(ProjectEdit(), {JoinPath(elsewhere, "notes.txt")}));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(ProjectEdit()).empty(); }, 10000));
    EXPECT_EQ(FilesIn(elsewhere), std::set<std::string>{"notes.txt"});

    // An invalid name, and one longer than the edit takes (it would arrive cut), are refused by the
    // default handler; the edit keeps its text.
    const std::string overLong = JoinPath(elsewhere, std::string(260, 'a') + ".dpr");
    for (const std::string& name : {JoinPath(elsewhere, "a[1].dpr"), overLong}) {
        ASSERT_TRUE(PostDroppedFiles(ProjectEdit(), {name}));
        HWND box = WaitForWindow(app_.Id(), "Tarnwick", 10000);
        ASSERT_NE(box, nullptr) << name;
        EXPECT_EQ(MessageBoxText(box), "Ungültiger Dateiname - " + name + ".");
        Click(FindChild(box, "OK", "Button"));
        ASSERT_TRUE(WaitUntil([&] { return OpenWindow("Tarnwick") == nullptr; }, 10000));
        EXPECT_EQ(WindowText(ProjectEdit()), "");
    }
    EXPECT_EQ(FilesIn(elsewhere), std::set<std::string>{"notes.txt"});
}

// The browse button opens the dialog on the first token of the text: an unquoted text with a blank
// that names no file reads only up to the blank.
TEST_F(Compile, TheBrowseDialogIsSeededFromTheFirstToken) {
    const std::string folder = ProjectFolder("browse-seed", "hello");
    ASSERT_NO_FATAL_FAILURE(Start("", folder));
    HWND edit = ProjectEdit();
    ASSERT_NE(edit, nullptr);
    for (char c : JoinPath(folder, "hello.dpr") + " extra")
        PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(edit).size() > 6; }, 5000));
    HWND button = GetWindow(edit, GW_CHILD);
    ASSERT_NE(button, nullptr);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND dialog = WaitForWindow(app_.Id(), "Select Project/Unit", 15000);
    ASSERT_NE(dialog, nullptr);
    char name[MAX_PATH] = {};
    WaitUntil(
        [&] {
            GetDlgItemTextA(dialog, 0x47C, name, sizeof name); // the file name box
            return name[0] != '\0';
        },
        5000);
    const std::string seeded = Lower(name);
    EXPECT_NE(seeded.find("hello.dpr"), std::string::npos) << seeded;
    EXPECT_EQ(seeded.find("extra"), std::string::npos) << seeded;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return OpenWindow("Select Project/Unit") == nullptr; }, 10000));
}

TEST_F(Compile, AMissingCompilerIsReportedThenThePreferencesOpen) {
    const DelphiEntryOverride noCompiler("C:\\tnwk-no-delphi\\Bin\\delphi32.exe");
    const std::string folder = ProjectFolder("no-compiler", "hello");
    app_ = StartTarnwick(Quoted(JoinPath(folder, "hello.dpr")), folder);
    EXPECT_EQ(DismissInformation(), "Incorrect path To the commandline compiler!");

    HWND prefs = WaitForWindow(app_.Id(), kPrefsCaption, 10000);
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(WindowText(Children(prefs, "Edit").at(0)), "C:\\tnwk-no-delphi\\Bin\\dcc32.exe");
    Close(prefs);
    main_ = WaitForWindow(app_.Id(), kMainCaption, 10000);
    ASSERT_NE(main_, nullptr);
    ASSERT_TRUE(Settled(main_, 15000));
    EXPECT_FALSE(FileExists(JoinPath(folder, "compile.bat")));
    EXPECT_FALSE(FileExists(JoinPath(folder, "output.txt")));
}

// The box comes up while the main window is still being shown: it is the window in front, its caption
// lit and Return goes to its button.
TEST_F(Compile, TheMissingCompilerBoxOfAStartUpCompileIsTheActiveWindow) {
    const DelphiEntryOverride noCompiler("C:\\tnwk-no-delphi\\Bin\\delphi32.exe");
    const std::string folder = ProjectFolder("no-compiler-active", "hello");
    app_ = StartTarnwick(Quoted(JoinPath(folder, "hello.dpr")), folder);
    HWND box = WaitForWindow(app_.Id(), kInformationCaption, kCompileTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }, 5000))
        << "foreground " << GetForegroundWindow() << " box " << box;
    EXPECT_TRUE(WaitUntil([&] { return CaptionPixel(box) == GetSysColor(COLOR_ACTIVECAPTION); }, 5000))
        << std::hex << CaptionPixel(box) << " active " << GetSysColor(COLOR_ACTIVECAPTION) << " inactive "
        << GetSysColor(COLOR_INACTIVECAPTION);
    ASSERT_TRUE(RealKeys("Return"));
    EXPECT_TRUE(WaitUntil([&] { return OpenWindow(kInformationCaption) == nullptr; }, 10000));
    HWND prefs = WaitForWindow(app_.Id(), kPrefsCaption, 10000);
    ASSERT_NE(prefs, nullptr);
    Close(prefs);
    main_ = WaitForWindow(app_.Id(), kMainCaption, 10000);
}

// The command interpreter that runs "compile.bat" cannot be found: the launcher's message shows as a
// plain message, the busy panel is hidden and the batch file stays for a look.
TEST_F(Compile, ALauncherFailureIsShownAndLeavesTheBatchFile) {
    const std::string folder = ProjectFolder("launcher-failure", "hello");
    app_ = StartTarnwick(Quoted(JoinPath(folder, "hello.dpr")), folder,
                         {"COMSPEC=C:\\tnwk-no-interpreter\\cmd.exe"});
    HWND box = WaitForWindow(app_.Id(), "Tarnwick", kCompileTimeoutMs);
    ASSERT_NE(box, nullptr) << "no message";
    // Which of the launcher's two texts depends on how the system reports the missing interpreter.
    const std::string text = MessageBoxText(box);
    EXPECT_TRUE(text == "File was not found" || text == "Path was not found") << text;
    Click(FindChild(box, "OK", "Button"));
    main_ = WaitForWindow(app_.Id(), kMainCaption, 15000);
    ASSERT_NE(main_, nullptr);
    ASSERT_TRUE(Settled(main_, 15000));
    EXPECT_FALSE(IsWindowVisible(FindChild(main_, "Compiling... please wait")));
    EXPECT_TRUE(FileExists(JoinPath(folder, "compile.bat")));
    EXPECT_FALSE(FileExists(JoinPath(folder, "output.txt")));
}

TEST_F(Compile, RunProjectStartsTheBuiltProgramAndWaitsForIt) {
    const std::string folder = ProjectFolder("run-program", "hello");
    const std::string marker = JoinPath(ProjectFolder("run-program-marker", ""), "marker.txt");
    ASSERT_NO_FATAL_FAILURE(
        Start("", folder, {"TNWK_GREETING_MARKER=" + marker, "TNWK_GREETING_SLEEP_MS=6000"}));
    ASSERT_NO_FATAL_FAILURE(SwitchRunProjectOn());
    ASSERT_NO_FATAL_FAILURE(CompileTyped(JoinPath(folder, "hello.dpr")));

    ASSERT_TRUE(WaitUntil([&] { return FileExists(marker); }, kCompileTimeoutMs))
        << "the program did not run";
    EXPECT_EQ(Lower(ReadFileBytes(marker)), "ran hello.exe\r\n");
    // Waiting for the program, the front end stays live and says why Start does nothing.
    EXPECT_TRUE(Settled(main_, 5000));
    EXPECT_FALSE(ProcessesNamed("hello.exe").empty());
    Click(FindChild(main_, "&Start"));
    EXPECT_EQ(DismissInformation(), "The compiled program is running. Please close it first.");
    EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed("hello.exe").empty(); }, kCompileTimeoutMs));
    EXPECT_FALSE(FileExists(JoinPath(folder, "compile.bat")));
    EXPECT_EQ(FindOutputWindow(app_.Id()), nullptr);
    EXPECT_EQ(OpenWindow(kInformationCaption), nullptr);
}

TEST_F(Compile, RunProjectRefusesALibrary) {
    const std::string folder = ProjectFolder("run-library", "library");
    const std::string marker = JoinPath(folder, "marker.txt");
    ASSERT_NO_FATAL_FAILURE(Start("", folder, {"TNWK_GREETING_MARKER=" + marker}));
    ASSERT_NO_FATAL_FAILURE(SwitchRunProjectOn());
    ASSERT_NO_FATAL_FAILURE(CompileTyped(JoinPath(folder, "tools.dpr")));

    EXPECT_EQ(DismissInformation(), "Can´t execute a DLL");
    EXPECT_TRUE(FileExists(JoinPath(folder, "tools.dll")));
    EXPECT_FALSE(FileExists(marker));
    EXPECT_EQ(FindOutputWindow(app_.Id()), nullptr);
}

TEST_F(Compile, RunProjectRefusesAUnit) {
    const std::string folder = ProjectFolder("run-unit", "unit");
    ASSERT_NO_FATAL_FAILURE(Start("", folder));
    ASSERT_NO_FATAL_FAILURE(SwitchRunProjectOn());
    ASSERT_NO_FATAL_FAILURE(CompileTyped(JoinPath(folder, "mathunit.pas")));

    EXPECT_EQ(DismissInformation(), "Can´t execute units!");
    EXPECT_TRUE(FileExists(JoinPath(folder, "mathunit.dcu")));
    EXPECT_EQ(FindOutputWindow(app_.Id()), nullptr);
}

TEST_F(Compile, AProjectInAFolderNamedWithAnAmpersandCompilesThere) {
    const std::string folder = ProjectFolder("a&b", "hello");
    const std::set<std::string> before = FilesIn(folder);
    const std::string parent = folder.substr(0, folder.find_last_of('\\'));
    ASSERT_NO_FATAL_FAILURE(Start(Quoted(JoinPath(folder, "hello.dpr")), folder));
    ASSERT_TRUE(WaitForCompileEnd(folder));

    EXPECT_TRUE(FileExists(JoinPath(folder, "hello.exe")));
    std::set<std::string> made = FilesIn(folder);
    for (const std::string& name : before)
        made.erase(name);
    // The products of the two sources and the compiler's output; nothing left by a split command.
    EXPECT_EQ(made, (std::set<std::string>{"greet.dcu", "hello.exe", "output.txt"}));
    EXPECT_FALSE(FileExists(JoinPath(parent, "output.txt")));
    EXPECT_EQ(FindOutputWindow(app_.Id()), nullptr);
}

// No program can be named "r&d", so the compiler refuses the source; what counts is that it was
// handed the whole name and that nothing else ran.
TEST_F(Compile, AProjectNamedWithAnAmpersandReachesTheCompilerWhole) {
    const std::string folder = ProjectFolder("amp-name", "hello");
    const std::string project = JoinPath(folder, "r&d.dpr");
    ASSERT_TRUE(MoveFileA(JoinPath(folder, "hello.dpr").c_str(), project.c_str()));
    ASSERT_NO_FATAL_FAILURE(Start(Quoted(project), folder));
    ASSERT_TRUE(WaitForCompileEnd(folder));

    const std::string output = ReadFileBytes(JoinPath(folder, "output.txt"));
    EXPECT_NE(output.find("r&d.dpr("), std::string::npos) << output;
    EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"greet.pas", "output.txt", "r&d.dpr"}));
    EXPECT_NE(WaitForOutputWindow(app_.Id(), 10000), nullptr);
}

// A compile from the command line runs before the main window is first shown; these compiles are
// started from the shown window, as a user can reach it only then.
TEST_F(Compile, ASecondStartWhileCompilingIsRefusedAndOnlyOneCompileRuns) {
    const std::string folder = ProjectFolder("second-start", "slow");
    const std::string batch = JoinPath(folder, "compile.bat");
    ASSERT_NO_FATAL_FAILURE(Start("", folder));
    ASSERT_NO_FATAL_FAILURE(CompileTyped(JoinPath(folder, "slow.dpr")));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(batch); }, 15000)) << "the compile did not start";
    EXPECT_TRUE(IsWindowVisible(FindChild(main_, "Compiling... please wait")));

    Click(FindChild(main_, "&Start"));
    EXPECT_EQ(DismissInformation(), "A compile is running. Please wait until it has finished.");
    EXPECT_TRUE(FileExists(batch)) << "the first compile should still be running";
    // A dropped file of another kind is removed from the edit before any refusal, without a message.
    WriteFileBytes(JoinPath(folder, "notes.txt"), "text\r\n");
    ASSERT_TRUE(PostDroppedFiles(ProjectEdit(), {JoinPath(folder, "notes.txt")}));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(ProjectEdit()).empty(); }, 10000));
    EXPECT_EQ(OpenWindow(kInformationCaption), nullptr);
    EXPECT_TRUE(FileExists(batch)) << "the first compile should still be running";

    ASSERT_TRUE(WaitForCompileEnd(folder));
    const FILETIME written = LastWrite(JoinPath(folder, "output.txt"));
    EXPECT_FALSE(WaitUntil([&] { return FileExists(batch); }, 2000)) << "a second compile started";
    const FILETIME after = LastWrite(JoinPath(folder, "output.txt"));
    EXPECT_EQ(CompareFileTime(&written, &after), 0) << "output.txt was written again";
    EXPECT_TRUE(FileExists(JoinPath(folder, "slow.exe")));
    EXPECT_FALSE(IsWindowVisible(FindChild(main_, "Compiling... please wait")));
}

TEST_F(Compile, ClosingWhileCompilingHidesAtOnceEndsAfterTheCompileAndSaves) {
    ResetSettings(false);
    const std::string folder = ProjectFolder("close-compiling", "slow");
    const std::string batch = JoinPath(folder, "compile.bat");
    app_ = StartTarnwick("", folder);
    // First start: welcome, then preferences, then the main window.
    HWND welcome = WaitForWindow(app_.Id(), kStartCaption, 15000);
    ASSERT_NE(welcome, nullptr);
    Click(FindChild(welcome, "OK"));
    HWND prefs = WaitForWindow(app_.Id(), kPrefsCaption, 10000);
    ASSERT_NE(prefs, nullptr);
    Close(prefs);
    main_ = WaitForWindow(app_.Id(), kMainCaption, 15000);
    ASSERT_NE(main_, nullptr);
    ASSERT_NO_FATAL_FAILURE(CompileTyped(JoinPath(folder, "slow.dpr")));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(batch); }, 15000)) << "the compile did not start";

    Close(main_);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }, 2000)) << "the window stayed";
    EXPECT_TRUE(FileExists(batch)) << "the compile should still be running";
    EXPECT_TRUE(app_.Running());

    ASSERT_TRUE(app_.WaitForExit(kCompileTimeoutMs));
    EXPECT_FALSE(FileExists(batch));
    EXPECT_TRUE(FileExists(JoinPath(folder, "output.txt")));
    EXPECT_TRUE(FileExists(JoinPath(folder, "slow.exe")));
    EXPECT_EQ(ProgramSetting("Defaults", "FirstTime"), "1");
}

TEST_F(Compile, ClosingWhileTheBuiltProgramRunsEndsAtOnceAndLeavesItRunning) {
    const std::string folder = ProjectFolder("close-running", "hello");
    const std::string marker = JoinPath(ProjectFolder("close-running-marker", ""), "marker.txt");
    ASSERT_NO_FATAL_FAILURE(
        Start("", folder, {"TNWK_GREETING_MARKER=" + marker, "TNWK_GREETING_SLEEP_MS=60000"}));
    ASSERT_NO_FATAL_FAILURE(SwitchRunProjectOn());
    ASSERT_NO_FATAL_FAILURE(CompileTyped(JoinPath(folder, "hello.dpr")));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(marker); }, kCompileTimeoutMs))
        << "the program did not run";

    Close(main_);
    EXPECT_TRUE(app_.WaitForExit(5000)) << "the front end waited for the program";
    EXPECT_FALSE(ProcessesNamed("hello.exe").empty()) << "the program was ended with the front end";
}
