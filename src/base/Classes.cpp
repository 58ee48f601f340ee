#include "base/Classes.h"

#include "base/SysUtils.h"

void TStringList::Insert(int index, std::string line) {
    if (index < 0 || index > Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    lines_.insert(lines_.begin() + index, std::move(line));
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    lines_.erase(lines_.begin() + index);
}

int TStringList::IndexOf(std::string_view line) const {
    for (int i = 0; i < Count(); ++i)
        if (rtl::SameText(lines_[static_cast<std::size_t>(i)], line))
            return i;
    return -1;
}

std::string TStringList::Text() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    lines_ = std::move(lines);
}

void TStringList::LoadFromFile(const std::string& fileName) {
    SetText(rtl::ReadWholeFile(fileName));
}
