#include "output/CompilerProblems_core.h"

#include <algorithm>
#include <cstring>

namespace problems {
namespace {

struct TWord {
    const char* text;
    TSeverity severity;
};
const TWord kWords[] = {{"error", TSeverity::Error},  {"warning", TSeverity::Warning},
                        {"hint", TSeverity::Hint},    {"fatal", TSeverity::Fatal},
                        {"fehler", TSeverity::Error}, {"warnung", TSeverity::Warning},
                        {"hinweis", TSeverity::Hint}, {"schwerwiegend", TSeverity::Fatal}};

constexpr std::size_t kMaxCodeLength = 12;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t SkipBlanks(std::string_view s, std::size_t at) {
    while (at < s.size() && IsBlank(s[at]))
        ++at;
    return at;
}

// A message code such as E2003: letters, then digits.
std::size_t CodeEnd(std::string_view s, std::size_t at) {
    std::size_t end = at;
    while (end < s.size() && IsLetter(s[end]))
        ++end;
    const std::size_t digits = end;
    while (end < s.size() && IsDigit(s[end]))
        ++end;
    const bool valid = digits > at && end > digits && end - at <= kMaxCodeLength;
    return valid ? end : std::string_view::npos;
}

// "word:" or "word code:" at `at`; the severity of the word.
std::optional<TSeverity> SeverityAt(std::string_view s, std::size_t at) {
    for (const TWord& word : kWords) {
        const std::size_t length = std::strlen(word.text);
        if (s.size() - at < length + 1)
            continue;
        bool same = true;
        for (std::size_t i = 0; same && i < length; ++i)
            same = Lower(s[at + i]) == word.text[i];
        if (!same)
            continue;
        std::size_t end = at + length;
        if (s[end] == ':')
            return word.severity;
        if (!IsBlank(s[end]))
            return std::nullopt;
        end = CodeEnd(s, SkipBlanks(s, end));
        return end < s.size() && s[end] == ':' ? std::optional(word.severity) : std::nullopt;
    }
    return std::nullopt;
}

// A number of one or more digits at `at`, capped; the position after it.
std::optional<std::int64_t> NumberAt(std::string_view s, std::size_t& at) {
    const std::size_t start = at;
    std::int64_t value = 0;
    while (at < s.size() && IsDigit(s[at])) {
        value = std::min<std::int64_t>(kMaxNumber, value * 10 + (s[at] - '0'));
        ++at;
    }
    return at > start ? std::optional(value) : std::nullopt;
}

// Whether a character may stand in a file name with its folder; a colon only as a drive's.
bool NameCharAllowed(std::string_view name, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || std::strchr("<>\"|?*", c))
        return false;
    return c != ':' || (i == 1 && IsLetter(name[0]));
}

// "(line[,column])[:] severity..." at the parenthesis `open`.
std::optional<TProblem> LocationAt(std::string_view s, std::size_t open) {
    TProblem problem;
    std::size_t at = open + 1;
    const auto line = NumberAt(s, at);
    if (!line)
        return std::nullopt;
    problem.line = *line;
    if (at < s.size() && s[at] == ',') {
        ++at;
        const auto column = NumberAt(s, at);
        if (!column)
            return std::nullopt;
        problem.column = *column;
    }
    if (at >= s.size() || s[at] != ')')
        return std::nullopt;
    ++at;
    if (at < s.size() && s[at] == ':')
        ++at;
    const std::size_t word = SkipBlanks(s, at);
    if (word == at)
        return std::nullopt;
    const auto severity = SeverityAt(s, word);
    if (!severity)
        return std::nullopt;
    problem.severity = *severity;
    return problem;
}

} // namespace

std::optional<TProblem> Recognise(std::string_view line) {
    const std::size_t start = SkipBlanks(line, 0);
    const std::string_view name = line.substr(start);
    std::size_t open = line.find('(', start);
    bool nameValid = true;
    for (std::size_t checked = start; nameValid && open != std::string_view::npos;
         open = line.find('(', open + 1)) {
        while (nameValid && checked < open)
            nameValid = NameCharAllowed(name, checked++ - start);
        // A character no file name holds is in the name of every later parenthesis too.
        if (!nameValid || open == start || IsBlank(line[open - 1]))
            continue;
        if (auto problem = LocationAt(line, open)) {
            problem->file = line.substr(start, open - start);
            return problem;
        }
    }
    const auto severity = start < line.size() ? SeverityAt(line, start) : std::nullopt;
    if (severity == TSeverity::Fatal)
        return TProblem{TSeverity::Fatal, {}, 0, 0};
    return std::nullopt;
}

std::vector<TProblemLine> Scan(std::string_view text) {
    std::vector<TProblemLine> found;
    const char* const end = text.data() + text.size();
    const char* at = text.data();
    for (int number = 0;; ++number) {
        const char* lineEnd = at;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        if (const auto problem = Recognise(std::string_view(at, static_cast<std::size_t>(lineEnd - at))))
            found.push_back({number, problem->severity});
        if (lineEnd == end)
            break;
        at = lineEnd + (*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n' ? 2 : 1);
    }
    return found;
}

TCounts Count(const std::vector<TProblemLine>& lines) {
    TCounts counts;
    for (const TProblemLine& line : lines) {
        switch (line.severity) {
        case TSeverity::Error:
        case TSeverity::Fatal:
            ++counts.errors;
            break;
        case TSeverity::Warning:
            ++counts.warnings;
            break;
        case TSeverity::Hint:
            ++counts.hints;
            break;
        }
    }
    return counts;
}

std::string CountsText(const TCounts& counts) {
    std::string text;
    const auto add = [&text](int count, const char* one, const char* many) {
        if (count == 0)
            return;
        if (!text.empty())
            text += ", ";
        text += std::to_string(count) + " " + (count == 1 ? one : many);
    };
    add(counts.errors, "error", "errors");
    add(counts.warnings, "warning", "warnings");
    add(counts.hints, "hint", "hints");
    return text;
}

std::optional<int> FirstErrorLine(const std::vector<TProblemLine>& lines) {
    const auto first = std::find_if(lines.begin(), lines.end(), [](const TProblemLine& line) {
        return line.severity == TSeverity::Error || line.severity == TSeverity::Fatal;
    });
    return first == lines.end() ? std::nullopt : std::optional(first->line);
}

std::optional<int> Step(const std::vector<TProblemLine>& lines, int current, bool onProblem, bool forward) {
    const auto byLine = [](const TProblemLine& a, int b) { return a.line < b; };
    if (forward) {
        const auto next =
            std::lower_bound(lines.begin(), lines.end(), onProblem ? current + 1 : current, byLine);
        return next == lines.end() ? std::nullopt : std::optional(next->line);
    }
    const auto after =
        std::lower_bound(lines.begin(), lines.end(), onProblem ? current : current + 1, byLine);
    return after == lines.begin() ? std::nullopt : std::optional(std::prev(after)->line);
}

const TProblemLine* Find(const std::vector<TProblemLine>& lines, int line) {
    const auto it = std::lower_bound(lines.begin(), lines.end(), line,
                                     [](const TProblemLine& a, int b) { return a.line < b; });
    return it != lines.end() && it->line == line ? &*it : nullptr;
}

} // namespace problems
