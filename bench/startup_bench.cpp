// Time from process start to the main window being shown: Tarnwick against a program that only
// shows a window (the platform's floor under the same Wine), as a ratio of medians.
#include "bench_util.h"
#include "e2e/driver.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {
double TimeToWindow(const std::string& exe, const std::string& caption) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exe + "\"";
    const double start = NowMs();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return -1;
    HWND wnd = nullptr;
    while (!(wnd = e2e::FindWindowOf(info.dwProcessId, caption))) {
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    const double elapsed = NowMs() - start;
    if (wnd)
        PostMessageA(wnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return wnd ? elapsed : -1;
}
} // namespace

int main() {
    e2e::ResetSettings();
    const std::string tnwk = e2e::JoinPath(e2e::BinDir(), "tnwk.exe");
    const std::string floor = e2e::JoinPath(BENCH_DIR, "minimal_window.exe");
    std::vector<double> program, minimal;
    constexpr int kRuns = 15;
    TimeToWindow(tnwk, e2e::kMainCaption); // warms the file cache
    TimeToWindow(floor, "Minimal window");
    for (int i = 0; i < kRuns; ++i) {
        const double t = TimeToWindow(tnwk, e2e::kMainCaption);
        const double f = TimeToWindow(floor, "Minimal window");
        if (t < 0 || f < 0) {
            std::printf("start-up: a window did not appear\n");
            return 1;
        }
        program.push_back(t);
        minimal.push_back(f);
    }
    char line[200];
    std::snprintf(line, sizeof line, "tnwk %.1f ms, minimal window %.1f ms (medians of %d); ratio %.2f",
                  Median(program), Median(minimal), kRuns, Median(program) / Median(minimal));
    Report("start-up to main window:", line);
    return 0;
}
