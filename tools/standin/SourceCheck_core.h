#pragma once
// The stand-in's only "compilation": a light check of one source file. It reads the header, the uses
// clauses and the nesting of the blocks an END closes, down to the final "end.".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

enum class SourceKind { Program, Library, Unit };

// A project file (.dpr) must hold a program or a library; every other file compiled must be a unit.
enum class ExpectedKind { Project, Unit };

struct UsedUnit {
    std::string name;
    std::string inFile; // the file named by "in '...'", empty when none
    int line = 0;
};

struct SourceProblem {
    int line = 0;
    std::string message;
};

struct SourceCheckResult {
    SourceKind kind = SourceKind::Program;
    std::string name;
    int lineCount = 0;
    std::vector<UsedUnit> uses;
    unsigned delayMilliseconds = 0;  // the {$STANDIN_DELAY n} directives met, added up
    std::vector<std::string> echoes; // the texts of the {$STANDIN_ECHO text} directives met, in order
    std::optional<SourceProblem> problem;

    bool ok() const { return !problem; }
};

inline constexpr unsigned kMaxDelayMilliseconds = 600000;

// acceptedNames: the names the header may carry (the file's base name, and its long form when the
// file was named by its short one); compared without regard to case.
SourceCheckResult checkSource(std::string_view text, ExpectedKind expected,
                              const std::vector<std::string>& acceptedNames);

int countLines(std::string_view text);

} // namespace standin
