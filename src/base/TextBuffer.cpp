#include "base/TextBuffer.h"

#include <algorithm>
#include <cstring>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}
} // namespace

TTextBuffer::TTextBuffer() : lineStarts_{0} {}

std::string TTextBuffer::Normalized(std::string text) {
    std::size_t lone = 0;
    bool hasNul = false;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < size && text[i + 1] == '\n')
                ++i;
            else
                ++lone;
        } else if (c == '\n') {
            ++lone;
        } else if (c == '\0') {
            hasNul = true;
        }
    }
    if (lone == 0) {
        // The usual case (the compiler's output through the command interpreter): changed in place.
        if (hasNul)
            std::replace(text.begin(), text.end(), '\0', ' ');
        return text;
    }
    std::string out;
    out.reserve(size + lone);
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < size && text[i + 1] == '\n')
                ++i;
        } else {
            out += c == '\0' ? ' ' : c;
        }
    }
    return out;
}

void TTextBuffer::Assign(std::string text) {
    // Swapped in, so the memory of an earlier, longer text goes with it.
    std::string normalized = Normalized(std::move(text));
    text_.swap(normalized);
    IndexLines();
}

void TTextBuffer::IndexLines() {
    std::vector<std::size_t> starts;
    starts.reserve(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n')) + 1);
    starts.push_back(0);
    const char* begin = text_.data();
    const char* end = begin + text_.size();
    for (const char* p = begin; p < end;) {
        const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (!found)
            break;
        p = static_cast<const char*>(found) + 1;
        starts.push_back(static_cast<std::size_t>(p - begin));
    }
    lineStarts_.swap(starts);
}

std::size_t TTextBuffer::LineStart(int line) const {
    if (line <= 0)
        return 0;
    if (line >= LineCount())
        return text_.size();
    return lineStarts_[static_cast<std::size_t>(line)];
}

std::size_t TTextBuffer::LineEnd(int line) const {
    if (line < 0)
        return 0;
    if (line + 1 >= LineCount())
        return text_.size();
    return lineStarts_[static_cast<std::size_t>(line) + 1] - 2;
}

std::string_view TTextBuffer::Line(int line) const {
    if (line < 0 || line >= LineCount())
        return {};
    const std::size_t start = LineStart(line);
    return std::string_view(text_).substr(start, LineEnd(line) - start);
}

int TTextBuffer::LineOf(std::size_t position) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
    return static_cast<int>(after - lineStarts_.begin()) - 1;
}

bool TTextBuffer::InsideLineBreak(std::size_t position) const {
    return position > 0 && position < text_.size() && text_[position] == '\n' && text_[position - 1] == '\r';
}

std::size_t TTextBuffer::Snap(std::size_t position) const {
    position = std::min(position, text_.size());
    return InsideLineBreak(position) ? position - 1 : position;
}

std::size_t TTextBuffer::Replace(std::size_t from, std::size_t to, std::string_view text) {
    from = Snap(from);
    to = Snap(to);
    if (to < from)
        std::swap(from, to);
    const std::string inserted = Normalized(std::string(text));
    text_.replace(from, to - from, inserted);

    // Lines that began inside the replaced range go; those of the inserted text come; the rest move.
    const auto first = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), from);
    const auto last = std::upper_bound(first, lineStarts_.end(), to);
    const std::ptrdiff_t delta =
        static_cast<std::ptrdiff_t>(inserted.size()) - static_cast<std::ptrdiff_t>(to - from);
    for (auto it = last; it != lineStarts_.end(); ++it)
        *it = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(*it) + delta);
    std::vector<std::size_t> newStarts;
    for (std::size_t i = 0; i < inserted.size(); ++i)
        if (inserted[i] == '\n')
            newStarts.push_back(from + i + 1);
    const auto at = lineStarts_.erase(first, last);
    lineStarts_.insert(at, newStarts.begin(), newStarts.end());
    return from + inserted.size();
}

std::size_t TTextBuffer::Previous(std::size_t position) const {
    position = Snap(position);
    if (position == 0)
        return 0;
    return Snap(position - 1);
}

std::size_t TTextBuffer::Next(std::size_t position) const {
    position = Snap(position);
    if (position >= text_.size())
        return text_.size();
    if (text_[position] == '\r' && position + 1 < text_.size() && text_[position + 1] == '\n')
        return position + 2;
    return position + 1;
}

std::size_t TTextBuffer::WordRight(std::size_t position) const {
    position = Snap(position);
    const std::size_t size = text_.size();
    if (position < size && IsBreak(text_[position]))
        return Next(position);
    while (position < size && !IsBlank(text_[position]) && !IsBreak(text_[position]))
        ++position;
    while (position < size && IsBlank(text_[position]))
        ++position;
    return position;
}

std::size_t TTextBuffer::WordLeft(std::size_t position) const {
    position = Snap(position);
    if (position > 0 && IsBreak(text_[position - 1]))
        return Previous(position);
    while (position > 0 && IsBlank(text_[position - 1]))
        --position;
    while (position > 0 && !IsBlank(text_[position - 1]) && !IsBreak(text_[position - 1]))
        --position;
    return position;
}

std::pair<std::size_t, std::size_t> TTextBuffer::WordAt(std::size_t position) const {
    position = Snap(position);
    const int line = LineOf(position);
    const std::size_t lineStart = LineStart(line);
    const std::size_t lineEnd = LineEnd(line);
    if (lineStart == lineEnd)
        return {position, position};
    // At the end of a line the word before the position counts.
    const std::size_t probe = position == lineEnd ? position - 1 : position;
    const bool blank = IsBlank(text_[probe]);
    std::size_t start = probe;
    while (start > lineStart && IsBlank(text_[start - 1]) == blank)
        --start;
    std::size_t end = probe;
    while (end < lineEnd && IsBlank(text_[end]) == blank)
        ++end;
    return {start, end};
}
