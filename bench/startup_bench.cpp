// Time from process start to the main window being shown: Tarnwick against a program that only
// shows a window (the platform's floor under the same Wine), as a ratio of medians.
#include "bench_util.h"
#include "e2e/driver.h"

#include <cstdio>
#include <string>
#include <vector>

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
