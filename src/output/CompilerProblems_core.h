#pragma once
// Problems in the compiler's output: which lines report an error, warning, hint or fatal error, where
// they point, how many there are, and stepping from one to the next.
//
// A problem line reads "file(line[,column])[:] severity [code]: text", as Delphi 3
// ("hello.dpr(12) Error: ..."), later Delphi compilers ("greet.pas(7,3): Warning W1036: ...") and
// Free Pascal ("greet.pas(7,3) Error: ...") write them, in English or German. A fatal error may name
// no file ("Fatal: File not found: 'x.pas'"): it is counted but points nowhere.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace problems {

enum class TSeverity : std::uint8_t { Error, Warning, Hint, Fatal };

struct TProblem {
    TSeverity severity = TSeverity::Error;
    std::string_view file;   // as written, inside the recognised line; empty when no file is named
    std::int64_t line = 0;   // as written, capped at kMaxNumber
    std::int64_t column = 0; // 0 when the line gives none
};

// Numbers longer than this are taken as this: far past the end of any file.
inline constexpr std::int64_t kMaxNumber = 999999999999;

// The problem a line of output reports; none for plain output. The line holds no line break.
std::optional<TProblem> Recognise(std::string_view line);

// A problem line of a text, by its number (0-based; lines as the memo counts them: CR LF, a lone CR
// and a lone LF each end one).
struct TProblemLine {
    int line = 0;
    TSeverity severity = TSeverity::Error;
};
// Every problem line of the text, in order.
std::vector<TProblemLine> Scan(std::string_view text);

// Fatal errors stop the compile: they count among the errors.
struct TCounts {
    int errors = 0;
    int warnings = 0;
    int hints = 0;
};
TCounts Count(const std::vector<TProblemLine>& lines);
// "2 errors, 1 warning, 3 hints": the kinds that occur, in that order; empty when none does.
std::string CountsText(const TCounts& counts);

// The first error or fatal line, which the window selects after a failed compile.
std::optional<int> FirstErrorLine(const std::vector<TProblemLine>& lines);

// The problem line to go to from `current` (the caret's line): forward the next one after it, back the
// one before it. When `onProblem` is false (the current line is not a selected problem), a problem on
// the current line itself counts, so that from the top the first problem comes first.
std::optional<int> Step(const std::vector<TProblemLine>& lines, int current, bool onProblem, bool forward);

// The problem line with that number, if it is one.
const TProblemLine* Find(const std::vector<TProblemLine>& lines, int line);

} // namespace problems
