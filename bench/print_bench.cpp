// Printing: how fast the line printer lays out lines (a 100,000-line output with word wrap on the
// recording surface, no printer), how long a 10,000-line output takes to print to the test printer,
// and what the installed printer costs the start-up (Tarnwick started with the printer and without).
#include "bench_util.h"
#include "e2e/driver.h"
#include "native/recording_surface.h"
#include "output/LinePrnt.h"
#include "output/OutputPrint_core.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr const char* kPrinter = "Tarnwick PostScript";

TStringList CompilerLines(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string line = "unit" + std::to_string(i % 9000) + ".pas(" + std::to_string(i % 5000) +
                           "): Warning: Variable 'I" + std::to_string(i % 97) +
                           "' is declared but never used";
        if (i % 10 == 0) // one line in ten wraps over two or three printed lines
            line +=
                " in procedure TSomeRatherLongClassName.SomeRatherLongMethodName with a long tail of text";
        lines.push_back(line);
    }
    return TStringList(std::move(lines));
}

void LayoutRate() {
    const TStringList lines = CompilerLines(100000);
    std::vector<double> rates;
    for (int run = 0; run < 5; ++run) {
        auto* surface = new RecordingSurface;
        surface->charWidth = 30; // about 130 characters a line
        TLinePrinter printer(nullptr, std::unique_ptr<TPrintSurface>(surface));
        outputprint::ConfigureLinePrinter(printer, {2000, 2000, 2000, 2000});
        printer.SetLines(lines);
        const double start = NowMs();
        printer.BeginDocument();
        printer.PrintLines(false);
        printer.EndDocument();
        rates.push_back(lines.Count() / ((NowMs() - start) / 1000.0));
    }
    char text[160];
    std::snprintf(text, sizeof text, "%.0f lines/s (median of 5, 100,000 lines, word wrap)", Median(rates));
    Report("layout, recording surface:", text);
}

void SetSpoolerTarget(const std::string& unixPath) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE*>(unixPath.c_str()),
                   static_cast<DWORD>(unixPath.size() + 1));
    RegCloseKey(key);
}

// Sends the test printer's jobs to a file beside the benchmarks while it lives, then back to where
// they went before.
class SpoolerTarget {
  public:
    explicit SpoolerTarget(const std::string& unixPath) {
        DWORD size = sizeof previous_;
        RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", "LPT1:", RRF_RT_REG_SZ, nullptr,
                     previous_, &size);
        SetSpoolerTarget(unixPath);
    }
    ~SpoolerTarget() {
        if (previous_[0])
            SetSpoolerTarget(previous_);
    }
    SpoolerTarget(const SpoolerTarget&) = delete;
    SpoolerTarget& operator=(const SpoolerTarget&) = delete;

  private:
    char previous_[MAX_PATH] = {};
};

void PrintTime() {
    // BENCH_DIR is the build's Linux path, which is what Wine's spooler setting wants.
    const SpoolerTarget target(std::string(BENCH_DIR) + "/print-bench.ps");
    const TStringList lines = CompilerLines(10000);
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        std::unique_ptr<TLinePrinter> printer(CreateLinePrinter(nullptr));
        outputprint::ConfigureLinePrinter(*printer, {2000, 2000, 2000, 2000});
        printer->ShowProgress = true;
        printer->SetLines(lines);
        const double start = NowMs();
        try {
            printer->BeginDocument();
            printer->PrintLines(false);
            printer->EndDocument();
        } catch (const std::exception& e) {
            Report("print, test printer:", std::string("failed: ") + e.what());
            return;
        }
        times.push_back(NowMs() - start);
    }
    char text[160];
    std::snprintf(text, sizeof text, "%.0f ms for 10,000 lines (median of 3, with the progress window)",
                  Median(times));
    Report("print, test printer:", text);
}

int RunPrinterTool(const std::string& arguments) {
    const std::string tool = e2e::JoinPath(e2e::BinDir(), "tools\\addprinter.exe");
    std::string commandLine = "\"" + tool + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return -1;
    WaitForSingleObject(info.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

// Start-up with the test printer and without it, in alternating rounds (the printer removed and put
// back between them) so that a change in the machine's load meets both sides alike; each against the
// program that only shows a window, timed right after it.
void StartupWithAndWithoutPrinter() {
    e2e::ResetSettings();
    const std::string tnwk = e2e::JoinPath(e2e::BinDir(), "tnwk.exe");
    const std::string floor = e2e::JoinPath(BENCH_DIR, "minimal_window.exe");
    const std::string remove = std::string("remove \"") + kPrinter + "\"";
    const std::string install = std::string("install \"") + kPrinter + "\" C:\\tarnwick.ppd";
    constexpr int kRounds = 6, kRunsPerRound = 4;
    std::vector<double> program[2], minimal[2]; // [0] with the printer, [1] without
    TimeToWindow(tnwk, e2e::kMainCaption);      // warms the file cache
    for (int round = 0; round < kRounds; ++round) {
        const int without = round % 2;
        if (RunPrinterTool(without ? remove : install) != 0) {
            Report("start-up, printer or not:", "the printer could not be removed or installed");
            RunPrinterTool(install);
            return;
        }
        for (int i = 0; i < kRunsPerRound; ++i) {
            program[without].push_back(TimeToWindow(tnwk, e2e::kMainCaption));
            minimal[without].push_back(TimeToWindow(floor, "Minimal window"));
        }
    }
    RunPrinterTool(install);
    char text[260];
    std::snprintf(text, sizeof text,
                  "with printer %.1f ms (%.2f x minimal window), without %.1f ms (%.2f x); medians of %d; "
                  "with : without %.2f",
                  Median(program[0]), Median(program[0]) / Median(minimal[0]), Median(program[1]),
                  Median(program[1]) / Median(minimal[1]), kRounds / 2 * kRunsPerRound,
                  Median(program[0]) / Median(program[1]));
    Report("start-up, printer or not:", text);
}
} // namespace

int main() {
    LayoutRate();
    PrintTime();
    StartupWithAndWithoutPrinter();
    return 0;
}
