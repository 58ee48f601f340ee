// Problem lines of the compiler's output: the forms that count, the near misses that do not, counting
// and the caption's words, and stepping from problem to problem.
#include "output/CompilerProblems_core.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using problems::TSeverity;

namespace {

struct LineCase {
    const char* line;
    bool problem;
    TSeverity severity;
    const char* file;
    std::int64_t number;
    std::int64_t column;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << '"' << c.line << '"';
}

class ProblemLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ProblemLine, IsRecognisedWithItsPlace) {
    const LineCase& c = GetParam();
    const auto problem = problems::Recognise(c.line);
    ASSERT_EQ(problem.has_value(), c.problem);
    if (!problem)
        return;
    EXPECT_EQ(problem->severity, c.severity);
    EXPECT_EQ(problem->file, c.file);
    EXPECT_EQ(problem->line, c.number);
    EXPECT_EQ(problem->column, c.column);
}

constexpr auto E = TSeverity::Error;
constexpr auto W = TSeverity::Warning;
constexpr auto H = TSeverity::Hint;
constexpr auto F = TSeverity::Fatal;

const LineCase kLines[] = {
    // Delphi 3, later Delphi, Free Pascal, the stand-in.
    {"hello.dpr(12) Error: Undeclared identifier: 'Foo'", true, E, "hello.dpr", 12, 0},
    {"greet.pas(7,3): Warning W1036: Variable 'X' might not have been initialized", true, W, "greet.pas", 7,
     3},
    {"greet.pas(7,3) Error: Identifier not found \"Foo\"", true, E, "greet.pas", 7, 3},
    {"broken.dpr(16) Error: 'END' expected", true, E, "broken.dpr", 16, 0},
    {"u.pas(3) Hint: Variable 'I' is declared but never used", true, H, "u.pas", 3, 0},
    {"u.pas(3) Hint H2164: Variable 'I' is declared but never used", true, H, "u.pas", 3, 0},
    {"hello.dpr(1) Fatal: File not found: 'Foo.dcu'", true, F, "hello.dpr", 1, 0},
    {"Fatal: File not found: 'x.pas'", true, F, "", 0, 0},
    {"Fatal F1026: File not found: 'x.pas'", true, F, "", 0, 0},
    {"Schwerwiegend: Datei nicht gefunden: 'x.pas'", true, F, "", 0, 0},
    // Folders, blanks, case, German words, an empty text.
    {"C:\\My Projects\\demo app\\main.pas(40,12): Error E2003: Undeclared identifier", true, E,
     "C:\\My Projects\\demo app\\main.pas", 40, 12},
    {"..\\lib (old)\\a.pas(2) error: x", true, E, "..\\lib (old)\\a.pas", 2, 0},
    {"  indented.pas(5)  WARNING: x", true, W, "indented.pas", 5, 0},
    {"a.pas(1) Fehler: Undefinierter Bezeichner", true, E, "a.pas", 1, 0},
    {"a.pas(1) Warnung: x", true, W, "a.pas", 1, 0},
    {"a.pas(1,2): HINWEIS H2077: x", true, H, "a.pas", 1, 2},
    {"a.pas(1) Schwerwiegend: x", true, F, "a.pas", 1, 0},
    {"a.pas(0) Error:", true, E, "a.pas", 0, 0},
    {"a.pas(99999999999999999999,7) Error: x", true, E, "a.pas", problems::kMaxNumber, 7},
    // Near misses: plain output.
    {"greet.pas(37)", false, E, "", 0, 0},
    {"hello.dpr(12) Errors: x", false, E, "", 0, 0},
    {"hello.dpr(12) Error x", false, E, "", 0, 0},
    {"hello.dpr(12)Error: x", false, E, "", 0, 0},
    {"hello.dpr(12) Error E: x", false, E, "", 0, 0},
    {"hello.dpr(12) Error 2003: x", false, E, "", 0, 0},
    {"hello.dpr (12) Error: x", false, E, "", 0, 0},
    {"hello.dpr(x) Error: x", false, E, "", 0, 0},
    {"hello.dpr() Error: x", false, E, "", 0, 0},
    {"hello.dpr(12,) Error: x", false, E, "", 0, 0},
    {"hello.dpr(-1) Error: x", false, E, "", 0, 0},
    {"(12) Error: x", false, E, "", 0, 0},
    {"a|b.pas(1) Error: x", false, E, "", 0, 0},
    {"note: a.pas(1) Error: x", false, E, "", 0, 0},
    {"Error: no file named", false, E, "", 0, 0},
    {"Warning: Could not read the configuration file", false, E, "", 0, 0},
    {"Fatality: x", false, E, "", 0, 0},
    {"12 lines, 0.01 seconds, 0 bytes code, 0 bytes data.", false, E, "", 0, 0},
    {"", false, E, "", 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Forms, ProblemLine, ::testing::ValuesIn(kLines));

TEST(ProblemScan, NumbersLinesAsTheMemoDoesAndCountsFatalAmongErrors) {
    const std::string text = "Borland Delphi\r\na.pas(1) Hint: h\nb.pas(2) Warning: w\r"
                             "c.pas(3) Error: e\r\n\r\nFatal: f\r\nd.pas(4) Hint: h";
    const auto lines = problems::Scan(text);
    ASSERT_EQ(lines.size(), 5u);
    const int numbers[] = {1, 2, 3, 5, 6};
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].line, numbers[i]);
    const problems::TCounts counts = problems::Count(lines);
    EXPECT_EQ(counts.errors, 2);
    EXPECT_EQ(counts.warnings, 1);
    EXPECT_EQ(counts.hints, 2);
    EXPECT_EQ(problems::FirstErrorLine(lines), 3);
    EXPECT_FALSE(problems::FirstErrorLine(problems::Scan("a.pas(1) Hint: h")).has_value());
}

TEST(ProblemCounts, NameTheKindsThatOccurInSingularOrPlural) {
    const struct {
        problems::TCounts counts;
        const char* text;
    } cases[] = {{{2, 1, 3}, "2 errors, 1 warning, 3 hints"},
                 {{1, 0, 0}, "1 error"},
                 {{0, 2, 1}, "2 warnings, 1 hint"},
                 {{1, 0, 2}, "1 error, 2 hints"},
                 {{0, 0, 0}, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(problems::CountsText(c.counts), c.text);
}

TEST(ProblemStep, GoesToTheNextOrPreviousProblemAndStopsAtTheEnds) {
    const auto lines = problems::Scan("x\na.pas(1) Error: e\ny\nb.pas(3) Hint: h\nz");
    const struct {
        int current;
        bool onProblem;
        bool forward;
        std::optional<int> to;
    } cases[] = {{0, false, true, 1},  {1, false, true, 1},  {1, true, true, 3},
                 {3, true, true, {}},  {4, false, true, {}}, {4, false, false, 3},
                 {3, false, false, 3}, {3, true, false, 1},  {1, true, false, {}}};
    for (const auto& c : cases)
        EXPECT_EQ(problems::Step(lines, c.current, c.onProblem, c.forward), c.to)
            << c.current << " " << c.onProblem << " " << c.forward;
    EXPECT_NE(problems::Find(lines, 3), nullptr);
    EXPECT_EQ(problems::Find(lines, 2), nullptr);
}

} // namespace
