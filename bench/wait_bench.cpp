// Waiting for the compiler: (a) the front end's own CPU time while a five-second compile runs, as a
// share of the wall time, and (b) the delay from a child's exit to the return of a waited Launch,
// against a bare WaitForSingleObject on the same kind of child (Wine's own floor).
#include "app/launch/appexec.h"
#include "bench_util.h"
#include "e2e/driver.h"
#include "win/Files.h"
#include "win/Forms.h"
#include "win/Handles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Started with this variable naming a file mapping, the program is the child of part (b): it
// sleeps so that the parent is already waiting, stores the performance counter in the mapping just
// before it exits, and ends before main.
constexpr const char* kStampVariable = "TNWK_WAITBENCH_STAMP";
constexpr DWORD kChildLifeMs = 150;

[[maybe_unused]] const bool gStartedAsChild = [] {
    char name[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(kStampVariable, name, sizeof name);
    if (length == 0 || length >= sizeof name)
        return false;
    Sleep(kChildLifeMs);
    const KernelHandle mapping(OpenFileMappingA(FILE_MAP_WRITE, FALSE, name));
    if (mapping) {
        if (auto* stamp = static_cast<LONGLONG*>(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0))) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            *stamp = now.QuadPart;
            UnmapViewOfFile(stamp);
        }
    }
    ExitProcess(0);
}();

double CounterToMs(LONGLONG counter) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double FileTimeMs(const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
}

// The CPU time (user + kernel) of another process. Wine's GetProcessTimes reports the caller's own
// times for any process, so under Wine the kernel's account of the Unix process is read instead,
// through drive Z: (Wine maps it to /): the process whose command line holds `uniqueArgument`, with the
// time each of its threads has run, in nanoseconds (the scheduler's own count, not the 10 ms ticks of
// its status line, which a process that only wakes briefly is charged by chance).
class CpuClock {
  public:
    CpuClock(HANDLE process, const std::string& uniqueArgument) : process_(process) {
        if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
            return;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA("Z:\\proc\\*", &data);
        if (find == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::string entry = std::string("Z:\\proc\\") + data.cFileName;
            if (std::isdigit(static_cast<unsigned char>(data.cFileName[0])) &&
                e2e::ReadFileBytes(entry + "\\cmdline").find(uniqueArgument) != std::string::npos)
                unixTasks_ = entry + "\\task";
        } while (unixTasks_.empty() && FindNextFileA(find, &data));
        FindClose(find);
    }
    bool UnderWineWithoutUnixProcess() const {
        return unixTasks_.empty() && GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
    }

    // Milliseconds, or a negative value when they cannot be read.
    double Ms() const {
        if (unixTasks_.empty()) {
            FILETIME created, ended, kernel, user;
            if (!GetProcessTimes(process_, &created, &ended, &kernel, &user))
                return -1;
            return FileTimeMs(kernel) + FileTimeMs(user);
        }
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((unixTasks_ + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return -1;
        double ns = 0;
        do {
            if (std::isdigit(static_cast<unsigned char>(data.cFileName[0])))
                ns += std::strtod(
                    e2e::ReadFileBytes(unixTasks_ + "\\" + data.cFileName + "\\schedstat").c_str(), nullptr);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return ns / 1e6;
    }

  private:
    HANDLE process_;
    std::string unixTasks_;
};

// The text in double quotes, as a command line names a program.
std::string Quoted(const std::string& text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string Format(const char* format, double a, double b, double c, double d = 0) {
    char line[200];
    std::snprintf(line, sizeof line, format, a, b, c, d);
    return line;
}

enum class TCpuCase { commandLine, dropped, idle, timerWindow };

// Waits until the process has used no CPU for a while: its start-up, and the work it leaves for when
// it is idle, are over.
void WaitUntilQuiet(const CpuClock& clock) {
    const double start = NowMs();
    for (double before = clock.Ms(); NowMs() - start < 10000;) {
        Sleep(300);
        const double now = clock.Ms();
        if (now - before < 0.5)
            return;
        before = now;
    }
}

// (a) Starts tnwk and has it compile the slow example: named on the command line (compiled before
// the main window is first shown) or dropped on the shown window (the busy panel and its gauge in
// sight); or, for comparison, leaves the shown window idle for as long as such a compile takes (no
// wait, no gauge: the floor of the front end's own CPU). Returns the front end's CPU time as a
// percentage of the wall time from "compile.bat" appearing until it is wiped, negative on failure.
double CpuDuringCompile(TCpuCase what) {
    e2e::ResetSettings();
    const std::string folder = e2e::FreshFolder("bench-wait-" + std::to_string(GetCurrentProcessId()));
    e2e::CopyExample("slow", folder);
    const std::string batch = e2e::JoinPath(folder, "compile.bat");
    const std::string project = e2e::JoinPath(folder, "slow.dpr");
    // A text file argument compiles nothing but makes the command line unique.
    const std::string argument = what == TCpuCase::commandLine ? project : e2e::JoinPath(folder, "idle.txt");
    e2e::Process app = e2e::StartTarnwick("\"" + argument + "\"", folder);
    if (what != TCpuCase::commandLine) {
        HWND window = e2e::WaitForWindow(app.Id(), e2e::kMainCaption, 20000);
        const std::vector<HWND> edits = window ? e2e::Children(window, "Edit") : std::vector<HWND>{};
        if (edits.empty() || !e2e::Settled(window, 10000)) {
            std::printf("wait: the main window did not settle\n");
            return -1;
        }
        WaitUntilQuiet(CpuClock(app.Handle(), argument));
        if (what == TCpuCase::dropped && !e2e::PostDroppedFiles(edits.front(), {project})) {
            std::printf("wait: the project could not be dropped\n");
            return -1;
        }
    }
    if (what != TCpuCase::idle && !e2e::WaitUntil([&] { return FileExists(batch); }, 20000)) {
        std::printf("wait: the compile did not start\n");
        return -1;
    }
    const CpuClock clock(app.Handle(), argument);
    const double wallStart = NowMs();
    const double cpuStart = clock.Ms();
    if (what == TCpuCase::idle)
        Sleep(5500); // about what the five-second compile takes from its batch file to its end
    while (FileExists(batch) && NowMs() - wallStart < 60000)
        Sleep(5);
    const double wall = NowMs() - wallStart;
    const double cpu = clock.Ms() - cpuStart;
    if (HWND window = e2e::WaitForWindow(app.Id(), e2e::kMainCaption, 15000))
        e2e::Close(window);
    app.WaitForExit(15000);
    e2e::RemoveFolder(folder);
    if (cpuStart < 0 || clock.UnderWineWithoutUnixProcess()) {
        std::printf("wait: the front end's CPU time cannot be read\n");
        return -1;
    }
    return 100.0 * cpu / wall;
}

// The platform's floor for the animation: a plain window timer repainting a gauge-sized area at the
// gauge's rate (bench/timer_window.cpp), measured over the same 5.5 s.
double CpuOfTimerWindow() {
    const std::string argument = "timer-window-" + std::to_string(GetCurrentProcessId());
    e2e::Process app =
        e2e::StartProgram(Quoted(e2e::JoinPath(BENCH_DIR, "timer_window.exe")) + " " + argument, "");
    HWND window = e2e::WaitForWindow(app.Id(), "Timer window", 20000);
    if (!window) {
        std::printf("wait: the timer window did not appear\n");
        return -1;
    }
    const CpuClock clock(app.Handle(), argument);
    Sleep(1000); // its start-up over; it is never quiet, it paints
    const double wallStart = NowMs();
    const double cpuStart = clock.Ms();
    Sleep(5500);
    const double share = 100.0 * (clock.Ms() - cpuStart) / (NowMs() - wallStart);
    e2e::Close(window);
    app.WaitForExit(15000);
    return cpuStart < 0 ? -1 : share;
}

// The four cases in turn, five rounds, so that the machine's load meets them alike; medians.
bool MeasureCpu() {
    constexpr int kRounds = 5;
    constexpr int kCases = 4;
    std::vector<double> shares[kCases];
    for (int round = 0; round < kRounds; ++round)
        for (int c = 0; c < kCases; ++c) {
            const auto what = static_cast<TCpuCase>(c);
            const double share = what == TCpuCase::timerWindow ? CpuOfTimerWindow() : CpuDuringCompile(what);
            if (share < 0)
                return false;
            shares[c].push_back(share);
        }
    Report("CPU during a 5 s compile:",
           Format("command line %.2f %%, dropped on the shown window %.2f %% (gauge animating; goal < 1 %%); "
                  "idle window, no compile %.2f %%",
                  Median(shares[0]), Median(shares[1]), Median(shares[2])));
    Report("  for comparison:", Format("a plain window timer repainting a gauge-sized area at the same rate "
                                       "%.2f %% (medians of %.0f)",
                                       Median(shares[3]), kRounds, 0));
    return true;
}

// The counter a child of part (b) stores as it exits, shared through a named mapping whose name the
// child finds in its environment.
class ExitStamp {
  public:
    ExitStamp()
        : name_("tnwk-waitbench-" + std::to_string(GetCurrentProcessId())),
          mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONGLONG),
                                      name_.c_str())),
          stamp_(mapping_ ? static_cast<LONGLONG*>(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, 0))
                          : nullptr) {
        SetEnvironmentVariableA(kStampVariable, name_.c_str());
    }
    ~ExitStamp() {
        SetEnvironmentVariableA(kStampVariable, nullptr);
        if (stamp_)
            UnmapViewOfFile(stamp_);
    }
    ExitStamp(const ExitStamp&) = delete;
    ExitStamp& operator=(const ExitStamp&) = delete;

    void Clear() {
        if (stamp_)
            *stamp_ = 0;
    }
    // The delay from the child's stamp to now, in ms; negative without a stamp.
    double DelayToNow() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        if (!stamp_ || *stamp_ == 0)
            return -1;
        return CounterToMs(now.QuadPart - *stamp_);
    }

  private:
    std::string name_;
    KernelHandle mapping_;
    LONGLONG* stamp_;
};

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

double DelayThroughLaunch(TAppExec& run, ExitStamp& stamp) {
    stamp.Clear();
    try {
        run.Launch();
    } catch (const std::exception& e) {
        std::printf("wait: launch failed: %s\n", e.what());
        return -1;
    }
    return stamp.DelayToNow();
}

double DelayThroughPlainWait(ExitStamp& stamp) {
    stamp.Clear();
    std::string commandLine = Quoted(ThisProgram());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &info))
        return -1;
    const KernelHandle process(info.hProcess);
    const KernelHandle thread(info.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    return stamp.DelayToNow();
}

// (b) The launcher as the compile job uses it (waited, minimised, new console) against a bare wait.
bool MeasureExitToReturn() {
    TApplication application;
    TAppExec run(nullptr);
    run.SetLangType(appexec::TLangType::ltEnglish);
    run.SetWait(true);
    run.SetWindowState(TWindowState::wsMinimized);
    run.SetExeName("\"" + ThisProgram() + "\"");
    ExitStamp stamp;
    constexpr int kRuns = 21;
    std::vector<double> launched, plain;
    DelayThroughLaunch(run, stamp); // warms the file cache
    for (int i = 0; i < kRuns; ++i) {
        const double l = DelayThroughLaunch(run, stamp);
        const double p = DelayThroughPlainWait(stamp);
        if (l < 0 || p < 0) {
            std::printf("wait: a child left no exit stamp\n");
            return false;
        }
        launched.push_back(l);
        plain.push_back(p);
    }
    Report("exit to Launch return:",
           Format("median %.2f ms (goal < 20 ms), worst %.2f ms; bare wait %.2f ms", Median(launched),
                  *std::max_element(launched.begin(), launched.end()), Median(plain)));
    return true;
}

} // namespace

int main() {
    const bool cpu = MeasureCpu();
    const bool delay = MeasureExitToReturn();
    return cpu && delay ? 0 : 1;
}
