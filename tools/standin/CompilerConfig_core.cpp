#include "CompilerConfig_core.h"

namespace standin {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

const char* labelOf(char switchLetter) {
    switch (switchLetter) {
    case 'a':
    case 'A':
        return "Unit aliases";
    case 'u':
    case 'U':
        return "Unit search path";
    case 'i':
    case 'I':
        return "Include search path";
    case 'o':
    case 'O':
        return "Object search path";
    case 'r':
    case 'R':
        return "Resource search path";
    }
    return nullptr;
}

ConfigEntry entryOf(std::string_view line) {
    const char* label = line.size() >= 2 && (line[0] == '-' || line[0] == '/') ? labelOf(line[1]) : nullptr;
    if (!label)
        return {"Ignored line", std::string(line)};
    std::string_view value = trimmed(line.substr(2));
    // Paths come quoted as one piece; the quotes are not part of them.
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return {label, std::string(value)};
}

} // namespace

std::vector<ConfigEntry> parseCompilerConfig(std::string_view text) {
    std::vector<ConfigEntry> entries;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        if (!line.empty())
            entries.push_back(entryOf(line));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return entries;
}

} // namespace standin
