// The line printer's text helpers: tabs, columns, fields and the numbers of table formats.
#include "output/LinePrnt_core.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace lineprinter {

std::string ExpandTabs(std::string_view text, unsigned tabSize) {
    const std::size_t stop = tabSize == 0 ? 1 : tabSize;
    std::string out;
    out.reserve(text.size() + stop);
    for (const char c : text) {
        if (c == '\t')
            out.append(stop - out.size() % stop, ' ');
        else
            out += c;
    }
    return out;
}

std::vector<std::string> SplitColumns(std::string_view text) {
    std::vector<std::string> items;
    for (;;) {
        const std::size_t bar = text.find('|');
        items.emplace_back(text.substr(0, bar));
        if (bar == std::string_view::npos)
            return items;
        text.remove_prefix(bar + 1);
    }
}

std::string ReplaceAll(std::string text, std::string_view code, std::string_view value) {
    if (value.find(code) != std::string_view::npos)
        return text;
    for (std::size_t at = text.find(code); at != std::string::npos; at = text.find(code))
        text.replace(at, code.size(), value);
    return text;
}

std::string FloatText(float value, char decimalSeparator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", static_cast<double>(value));
    std::string text = buffer;
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

std::optional<double> ParseFloat(std::string_view text, char decimalSeparator) {
    // Blanks around the number are allowed, as the system's reader allows them.
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::string plain;
    for (const char c : text) {
        if (c == decimalSeparator)
            plain += '.';
        else if (c == '.' || !(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' ||
                               c == 'e' || c == 'E'))
            return std::nullopt;
        else
            plain += c;
    }
    if (plain.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(plain.c_str(), &end);
    if (end != plain.c_str() + plain.size())
        return std::nullopt;
    return value;
}

} // namespace lineprinter
