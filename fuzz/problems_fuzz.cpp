// Compiler output lines: any text scanned for problems. Every problem found must point into the text
// it came from, with numbers in range, and stepping must only ever land on problem lines.
#include "output/CompilerProblems_core.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto problem = problems::Recognise(text)) {
        const bool inside = problem->file.empty() ||
                            (problem->file.data() >= text.data() &&
                             problem->file.data() + problem->file.size() <= text.data() + text.size());
        if (!inside || problem->line < 0 || problem->line > problems::kMaxNumber || problem->column < 0 ||
            problem->column > problems::kMaxNumber)
            std::abort();
    }
    const auto lines = problems::Scan(text);
    const problems::TCounts counts = problems::Count(lines);
    if (static_cast<std::size_t>(counts.errors + counts.warnings + counts.hints) != lines.size())
        std::abort();
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (lines[i].line <= lines[i - 1].line)
            std::abort();
    const int current = size > 0 ? data[0] % 64 : 0;
    for (const bool forward : {true, false})
        if (const auto to = problems::Step(lines, current, size > 1 && data[1] % 2, forward))
            if (!problems::Find(lines, *to))
                std::abort();
    (void)problems::CountsText(counts);
    return 0;
}
