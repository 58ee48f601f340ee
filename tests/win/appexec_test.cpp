// The process launcher against real processes: start failures and their texts, exit codes, the
// working folder, what the child is given (show command, command line, folder), and the wait that
// keeps the calling thread's messages flowing, also when a handler launches again. (Wine gives every
// process the normal priority class whatever CreateProcess asks, so the priority is not checked here.)
#include "app/launch/appexec.h"
#include "win/Forms.h"
#include "win/Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A copy of this program started with these variables set acts as the launched child: it writes
// what it was given into the report file, waits for the named event if asked, and exits with the
// code asked for, before any test runs.
constexpr const char* kReportVariable = "TNWK_APPEXEC_CHILD_REPORT";
constexpr const char* kHoldVariable = "TNWK_APPEXEC_CHILD_HOLD";
constexpr const char* kExitVariable = "TNWK_APPEXEC_CHILD_EXIT";

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value) : std::string();
}

[[maybe_unused]] const bool gStartedAsChild = [] {
    const std::string report = Environment(kReportVariable);
    const std::string hold = Environment(kHoldVariable);
    const std::string exitCode = Environment(kExitVariable);
    if (report.empty() && hold.empty() && exitCode.empty())
        return false;
    if (!report.empty()) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        GetStartupInfoA(&startup);
        char folder[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof folder, folder);
        std::ofstream out(report, std::ios::binary);
        out << "flags=" << startup.dwFlags << "\nshow=" << startup.wShowWindow << "\ncwd=" << folder
            << "\ncmdline=" << GetCommandLineA() << "\n";
    }
    if (!hold.empty()) {
        const KernelHandle release(OpenEventA(SYNCHRONIZE, FALSE, hold.c_str()));
        if (release)
            WaitForSingleObject(release.get(), 30000);
    }
    ExitProcess(exitCode.empty() ? 0 : static_cast<UINT>(std::strtoul(exitCode.c_str(), nullptr, 10)));
}();

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// The child's environment for the next launch; removed again at the end of the scope.
class ChildEnvironment {
  public:
    ChildEnvironment(const std::string& report, const std::string& hold, const std::string& exitCode) {
        Set(kReportVariable, report);
        Set(kHoldVariable, hold);
        Set(kExitVariable, exitCode);
    }
    ~ChildEnvironment() {
        for (const char* name : {kReportVariable, kHoldVariable, kExitVariable})
            SetEnvironmentVariableA(name, nullptr);
    }
    ChildEnvironment(const ChildEnvironment&) = delete;
    ChildEnvironment& operator=(const ChildEnvironment&) = delete;

  private:
    static void Set(const char* name, const std::string& value) {
        SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    }
};

// A named event a holding child waits for; set when the scope ends so that no child is left behind.
class ReleaseEvent {
  public:
    explicit ReleaseEvent(const std::string& tag)
        : name_("tnwk-appexec-" + tag + "-" + std::to_string(GetCurrentProcessId())),
          event_(CreateEventA(nullptr, TRUE, FALSE, name_.c_str())) {}
    ~ReleaseEvent() { Set(); }
    ReleaseEvent(const ReleaseEvent&) = delete;
    ReleaseEvent& operator=(const ReleaseEvent&) = delete;
    const std::string& Name() const { return name_; }
    void Set() const { SetEvent(event_.get()); }

  private:
    std::string name_;
    KernelHandle event_;
};

// Ends the whole test program when a launch does not return in time: a wait that never ends would
// otherwise hang the suite instead of failing it.
class HangGuard {
  public:
    explicit HangGuard(const char* what)
        : done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), watcher_([this, what] {
              if (WaitForSingleObject(done_.get(), 60000) != WAIT_OBJECT_0) {
                  std::fprintf(stderr, "FATAL: %s did not return within 60 s\n", what);
                  std::fflush(stderr);
                  TerminateProcess(GetCurrentProcess(), 99);
              }
          }) {}
    ~HangGuard() {
        SetEvent(done_.get());
        watcher_.join();
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

  private:
    KernelHandle done_;
    std::thread watcher_;
};

std::string ReportValue(const fs::path& report, const std::string& key) {
    std::ifstream in(report, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return {};
}

bool WaitForFile(const fs::path& file, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!fs::exists(file)) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        Sleep(10);
    }
    return true;
}

// Processes this test program started that still run.
int ChildProcessCount() {
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry))
        count += entry.th32ParentProcessID == GetCurrentProcessId() ? 1 : 0;
    return count;
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    return folder;
}

class AppExecLaunch : public ::testing::Test {
  protected:
    void SetUp() override {
        application_ = std::make_unique<TApplication>();
        folder_ =
            fs::temp_directory_path() / ("tnwk_appexec_" + std::to_string(GetCurrentProcessId()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
        previousFolder_ = CurrentFolder();
        run_ = std::make_unique<TAppExec>(nullptr);
        run_->SetLangType(appexec::TLangType::ltEnglish);
    }
    void TearDown() override {
        run_.reset();
        SetCurrentDirectoryA(previousFolder_.c_str());
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        application_.reset();
    }

    // Configures the launcher to start this program as the child, its path quoted.
    void LaunchChild(TAppExec& run) { run.SetExeName("\"" + ThisProgram() + "\""); }

    // Starts the child waited, with a report, and returns the report's file.
    fs::path ReportOfWaitedChild(TAppExec& run, const std::string& name = "report.txt") {
        const fs::path report = folder_ / name;
        ChildEnvironment child(report.string(), "", "");
        LaunchChild(run);
        run.SetWait(true);
        HangGuard guard("a waited launch");
        run.Launch();
        return report;
    }

    std::unique_ptr<TApplication> application_;
    std::unique_ptr<TAppExec> run_;
    fs::path folder_;
    std::string previousFolder_;
};

} // namespace

TEST_F(AppExecLaunch, AMissingProgramRaisesFileNotFoundWithErrNo2) {
    run_->SetExeName((folder_ / "no_such_program.exe").string());
    run_->SetWait(true);
    try {
        run_->Launch();
        FAIL() << "a missing program was started";
    } catch (const EAppExecWinExec& e) {
        EXPECT_EQ(e.Message(), "File was not found");
    }
    EXPECT_EQ(run_->ErrNo(), 2);

    // Callers catch the base class.
    EXPECT_THROW(run_->Launch(), EAppExec);
}

TEST_F(AppExecLaunch, AFreshLauncherReportsInFrench) {
    TAppExec fresh(nullptr);
    fresh.SetExeName((folder_ / "no_such_program.exe").string());
    try {
        fresh.Launch();
        FAIL() << "a missing program was started";
    } catch (const EAppExecWinExec& e) {
        EXPECT_EQ(e.Message(), "Fichier non trouvé");
    }
    EXPECT_EQ(fresh.ErrNo(), 2);
}

TEST_F(AppExecLaunch, AFileThatIsNoProgramGivesTheTextOfTheLastRow) {
    const fs::path fake = folder_ / "notaprogram.exe";
    std::ofstream(fake, std::ios::binary) << "this is text, not a program\r\n";
    run_->SetExeName(fake.string());
    try {
        run_->Launch();
        FAIL() << "a text file was started";
    } catch (const EAppExecWinExec& e) {
        EXPECT_EQ(e.Message(), "No error");
    }
    EXPECT_EQ(run_->ErrNo(), ERROR_BAD_EXE_FORMAT);
}

TEST_F(AppExecLaunch, WaitedLaunchReturnsTheExitCodeOfACommandInterpreter) {
    run_->SetExeName("cmd");
    run_->SetExeParams(TStringList({"/c", "exit", "3"}));
    run_->SetWait(true);
    run_->SetWindowState(TWindowState::wsMinimized);
    HangGuard guard("cmd /c exit 3");
    run_->Launch();
    EXPECT_EQ(run_->ErrNo(), 3);
}

TEST_F(AppExecLaunch, AProgramEndingWithCode259IsSeenAsEnded) {
    ChildEnvironment child("", "", "259");
    LaunchChild(*run_);
    run_->SetWait(true);
    HangGuard guard("a child ending with 259");
    run_->Launch();
    EXPECT_EQ(run_->ErrNo(), 259);
}

TEST_F(AppExecLaunch, WithoutWaitReturnsAtOnceWithErrNo0WhileTheProgramRuns) {
    const ReleaseEvent release("nowait");
    const fs::path report = folder_ / "report.txt";
    ChildEnvironment child(report.string(), release.Name(), "4");
    LaunchChild(*run_);
    run_->SetWait(false);
    const auto started = std::chrono::steady_clock::now();
    run_->Launch();
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(run_->ErrNo(), 0);
    EXPECT_LT(elapsed, std::chrono::seconds(2));
    // The child did start, and is still holding when Launch has returned.
    EXPECT_TRUE(WaitForFile(report, 20000));
}

TEST_F(AppExecLaunch, ParametersFollowTheProgramAfterOneBlankEach) {
    TStringList params({"a", "b"});
    run_->SetExeParams(params);
    params.Add("not copied");
    const fs::path report = ReportOfWaitedChild(*run_);
    EXPECT_EQ(ReportValue(report, "cmdline"), "\"" + ThisProgram() + "\" a b");
}

TEST_F(AppExecLaunch, TheShowCommandFollowsTheWindowState) {
    const struct {
        TWindowState state;
        int show;
    } cases[] = {{TWindowState::wsMinimized, SW_SHOWMINIMIZED},
                 {TWindowState::wsMaximized, SW_SHOWMAXIMIZED},
                 {TWindowState::wsNormal, SW_SHOWNORMAL},
                 {TWindowState::wsMinimized, SW_SHOWMINIMIZED}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.show);
        run_->SetWindowState(c.state);
        const fs::path report = ReportOfWaitedChild(*run_, "show" + std::to_string(n++) + ".txt");
        EXPECT_EQ(ReportValue(report, "flags"), std::to_string(STARTF_USESHOWWINDOW));
        EXPECT_EQ(ReportValue(report, "show"), std::to_string(c.show));
    }
}

TEST_F(AppExecLaunch, ChangeDirMakesTheNormalisedExePathCurrentForCallerAndChild) {
    const fs::path work = folder_ / "work";
    fs::create_directories(work);
    run_->SetExePath(work.string() + "\\");
    EXPECT_EQ(run_->ExePath(), work.string());
    const fs::path report = ReportOfWaitedChild(*run_);
    EXPECT_EQ(fs::path(CurrentFolder()), work);
    EXPECT_EQ(fs::path(ReportValue(report, "cwd")), work);
}

TEST_F(AppExecLaunch, ChangeDirOffLeavesTheCurrentFolder) {
    const fs::path work = folder_ / "work";
    fs::create_directories(work);
    SetCurrentDirectoryA(folder_.string().c_str());
    run_->SetExePath(work.string());
    run_->SetChangeDir(false);
    const fs::path report = ReportOfWaitedChild(*run_);
    EXPECT_EQ(fs::path(CurrentFolder()), folder_);
    EXPECT_EQ(fs::path(ReportValue(report, "cwd")), folder_);
}

TEST_F(AppExecLaunch, AMissingExePathRaisesChDirStartsNothingAndKeepsErrNo) {
    const fs::path report = folder_ / "report.txt";
    ChildEnvironment child(report.string(), "", "");
    LaunchChild(*run_);
    run_->SetExePath((folder_ / "missing").string());
    const std::string before = CurrentFolder();
    const int children = ChildProcessCount(); // Wine may give the test a console host of its own
    EXPECT_THROW(run_->Launch(), EAppExecChDir);
    EXPECT_EQ(run_->ErrNo(), 32);
    EXPECT_EQ(CurrentFolder(), before);
    EXPECT_EQ(ChildProcessCount(), children) << "nothing may have been started";
    EXPECT_FALSE(fs::exists(report));
}

namespace {
// What the timer handler below saw; a timer procedure has no context of its own.
struct DuringWait {
    TAppExec* run = nullptr;
    const ReleaseEvent* release = nullptr;
    bool launchInside = false;
    int ticks = 0;
    int innerErrNo = -1;
    std::string innerError;
};
DuringWait* gDuringWait = nullptr;

void CALLBACK TickDuringWait(HWND, UINT, UINT_PTR timer, DWORD) {
    DuringWait& state = *gDuringWait;
    ++state.ticks;
    if (state.launchInside && state.ticks == 1) {
        KillTimer(nullptr, timer);
        try {
            ChildEnvironment child("", "", "7");
            state.run->Launch();
            state.innerErrNo = state.run->ErrNo();
        } catch (const std::exception& e) {
            state.innerError = e.what();
        }
        state.release->Set();
    } else if (!state.launchInside && state.ticks == 3) {
        KillTimer(nullptr, timer);
        state.release->Set();
    }
}
} // namespace

// The child holds until the third timer tick releases it: Launch can only return if the timer's
// messages were handled during the wait.
TEST_F(AppExecLaunch, TimerMessagesAreHandledDuringAWaitedLaunch) {
    const ReleaseEvent release("timer");
    DuringWait state;
    state.release = &release;
    gDuringWait = &state;
    ChildEnvironment child("", release.Name(), "5");
    LaunchChild(*run_);
    run_->SetWait(true);
    run_->SetWindowState(TWindowState::wsMinimized);
    SetTimer(nullptr, 0, 50, &TickDuringWait);
    {
        HangGuard guard("a launch waiting for timer ticks");
        run_->Launch();
    }
    gDuringWait = nullptr;
    EXPECT_EQ(state.ticks, 3);
    EXPECT_EQ(run_->ErrNo(), 5);
}

// A handler run during the wait launches again on the same launcher; both waits end with their own
// process's exit code.
TEST_F(AppExecLaunch, LaunchingAgainFromInsideAWaitedLaunchWorks) {
    const ReleaseEvent release("nested");
    DuringWait state;
    state.run = run_.get();
    state.release = &release;
    state.launchInside = true;
    gDuringWait = &state;
    LaunchChild(*run_);
    run_->SetWait(true);
    run_->SetWindowState(TWindowState::wsMinimized);
    {
        ChildEnvironment outer("", release.Name(), "5");
        SetTimer(nullptr, 0, 50, &TickDuringWait);
        HangGuard guard("a launch with another launch inside");
        try {
            run_->Launch();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "the outer wait failed: " << e.what();
        }
    }
    gDuringWait = nullptr;
    EXPECT_EQ(state.innerError, "");
    EXPECT_EQ(state.innerErrNo, 7);
    EXPECT_EQ(run_->ErrNo(), 5);
}

namespace {
void CALLBACK QuitDuringWait(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostQuitMessage(0);
}
} // namespace

// Asked to stop waiting when the program ends, a launch returns on the quit message and leaves the
// program running; without that request it waits for the end as before.
TEST_F(AppExecLaunch, AQuitEndsTheWaitOnlyWhenAskedAndLeavesTheProgramRunning) {
    const ReleaseEvent release("quit");
    const fs::path report = folder_ / "report.txt";
    ChildEnvironment child(report.string(), release.Name(), "6");
    LaunchChild(*run_);
    run_->SetWait(true);
    run_->SetWindowState(TWindowState::wsMinimized);
    run_->SetStopWaitingOnTerminate(true);
    SetTimer(nullptr, 0, 50, &QuitDuringWait);
    {
        HangGuard guard("a launch asked to stop on quit");
        run_->Launch();
    }
    EXPECT_TRUE(application_->Terminated());
    EXPECT_TRUE(WaitForFile(report, 20000)) << "the program was not left running";
    release.Set();

    // The released program ends with 6; only a launch that waited for its end can report that.
    run_->SetStopWaitingOnTerminate(false);
    HangGuard guard("a launch after the quit");
    run_->Launch();
    EXPECT_EQ(run_->ErrNo(), 6);
}
