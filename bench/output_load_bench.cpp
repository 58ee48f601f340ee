// Loading a large compiler output into the output window: the time from showing the hidden window
// (its FormShow reads "output.txt") until the text is painted, and the memory the window then holds
// for it, for outputs of 1 MB and 10 MB. For scale, the platform's edit control taking the same 1 MB.
#include "bench_util.h"
#include "output/output.h"
#include "prefs/Placemnt_core.h"

#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr int kRuns = 7;
constexpr double kMegabyte = 1024.0 * 1024.0;

// Committed private memory. Wine leaves PrivateUsage at 0 and reports the same figure as page-file use.
double PrivateMegabytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / kMegabyte;
}

// Compiler-like output of about `bytes` bytes: 52 bytes a line on average, as a long build log has.
std::string CompilerOutput(std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 128);
    for (int line = 0; text.size() < bytes; ++line) {
        char buffer[160];
        const int n =
            line % 3 == 0
                ? std::snprintf(buffer, sizeof buffer, "unit%04d.pas(%d): Warning: Variable 'I%d' unused\r\n",
                                line % 9000, line % 5000, line % 97)
            : line % 3 == 1 ? std::snprintf(buffer, sizeof buffer, "unit%04d.pas(%d) %d lines compiled\r\n",
                                            line % 9000, line % 5000, line)
                            : std::snprintf(buffer, sizeof buffer,
                                            "broken%03d.dpr(%d): Error: Undeclared identifier: 'Value%d'\r\n",
                                            line % 500, line % 8000, line);
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

// The time the platform's multi-line edit control takes for the text, as the output window first used it.
double PlatformEditMilliseconds(const std::string& text) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 544, 375, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                                    WS_HSCROLL | WS_VSCROLL,
                                0, 29, 530, 300, window, nullptr, nullptr, nullptr);
    SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    const double start = NowMs();
    SetWindowTextA(edit, text.c_str());
    UpdateWindow(edit);
    const double elapsed = NowMs() - start;
    DestroyWindow(window);
    return elapsed;
}

// Loads outputs of 1 and 10 MB into the output window and prints the times; the number of failed checks.
int MeasureLoads() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tnwk-output-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());

    TApplication application;
    application.SetTitle("Tarnwick");
    auto* form = application.CreateForm<TOpForm>();
    int failures = 0;
    for (const std::size_t size : {std::size_t{1} << 20, std::size_t{10} << 20}) {
        const std::string content = CompilerOutput(size);
        WriteFile(folder + "\\output.txt", content);
        const std::size_t expectedLength = content.size() - 2; // the break after the last line goes

        std::vector<double> times;
        double heldMegabytes = 0;
        for (int run = 0; run < kRuns; ++run) {
            form->Hide();
            form->Memo1->SetText({});
            application.ProcessMessages();
            const double before = PrivateMegabytes();
            const double start = NowMs();
            form->Show();
            form->Update();
            form->Memo1->Update();
            times.push_back(NowMs() - start);
            heldMegabytes = PrivateMegabytes() - before;
            if (form->Memo1->Text().size() != expectedLength) {
                std::printf("output load: the memo holds %zu bytes, not %zu\n", form->Memo1->Text().size(),
                            expectedLength);
                ++failures;
            }
            application.ProcessMessages();
        }
        char line[200];
        const double fileMegabytes = static_cast<double>(content.size()) / kMegabyte;
        std::snprintf(line, sizeof line,
                      "%.1f MB, %d lines: %.0f ms (median of %d), window holds %.1f MB (%.2f x file)",
                      fileMegabytes, form->Memo1->LineCount(), Median(times), kRuns, heldMegabytes,
                      heldMegabytes / fileMegabytes);
        Report("output window load:", line);
    }
    form->Hide();
    char line[200];
    std::snprintf(line, sizeof line, "platform edit control, 1.0 MB: %.0f ms",
                  PlatformEditMilliseconds(CompilerOutput(std::size_t{1} << 20)));
    Report("output window load:", line);
    DeleteFileA((folder + "\\output.txt").c_str());
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(folder.c_str());
    return failures;
}
} // namespace

int main() {
    // The window stores its settings under this program's own key, removed at the end.
    char exeName[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exeName, sizeof exeName);
    placement::SetApplicationExeName(exeName);
    const int failures = MeasureLoads();
    RegDeleteTreeA(HKEY_CURRENT_USER, placement::DefaultKeyName(exeName).c_str());
    return failures == 0 ? 0 : 1;
}
