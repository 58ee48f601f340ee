// Time from process start to the main window being shown: Tarnwick against a program that only
// shows a window (the platform's floor under the same Wine), launched in turns within one run, as a
// ratio of medians; and the size of the executables.
#include "bench_util.h"
#include "e2e/driver.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr double kSizeLimitMb = 1.5;

// The file's size in megabytes (of 1,048,576 bytes); -1 when it is missing.
double FileSizeMb(const std::string& name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data))
        return -1;
    const auto bytes = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void ReportSize(const char* what, const std::string& name) {
    const double mb = FileSizeMb(name);
    char line[300];
    if (mb < 0)
        std::snprintf(line, sizeof line, "%s: not built", name.c_str());
    else
        std::snprintf(line, sizeof line, "%.2f MB (%s; limit %.1f MB)%s", mb, name.c_str(), kSizeLimitMb,
                      mb > kSizeLimitMb ? " OVER THE LIMIT" : "");
    Report(what, line);
}
} // namespace

int main() {
    e2e::ResetSettings();
    const std::string tnwk = e2e::JoinPath(e2e::BinDir(), "tnwk.exe");
    const std::string floor = e2e::JoinPath(BENCH_DIR, "minimal_window.exe");
    std::vector<double> program, minimal;
    constexpr int kRuns = 21;
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
    std::snprintf(line, sizeof line,
                  "tnwk %.1f ms, minimal window %.1f ms (medians of %d each, in turns); ratio %.2f",
                  Median(program), Median(minimal), kRuns, Median(program) / Median(minimal));
    Report("start-up to main window:", line);
    Report("  measured:",
           sizeof(void*) == 8 ? "the 64-bit build under 64-bit Wine" : "the 32-bit build under Wine");
    ReportSize("executable, shipped:", e2e::JoinPath(e2e::SourceDir(), "build\\bin\\tnwk.exe"));
    if (sizeof(void*) == 8)
        ReportSize("executable, measured:", tnwk);
    return 0;
}
