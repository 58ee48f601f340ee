#pragma once
// Editable text held as one string with CR LF line breaks and the start of every line indexed, so a
// text of many megabytes is taken in one pass and any line or position is found at once.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TTextBuffer {
  public:
    TTextBuffer();

    // Takes the text: every line break (CR LF, a lone CR or a lone LF) becomes CR LF and every NUL
    // character a blank, so that nothing after it is lost to a reader that stops at NUL.
    void Assign(std::string text);
    const std::string& Text() const { return text_; }
    std::size_t Length() const { return text_.size(); }

    // At least one line; a text ending with a line break has an empty last line.
    int LineCount() const { return static_cast<int>(lineStarts_.size()); }
    std::size_t LineStart(int line) const;
    // The position of the line's break, or the end of the text for the last line.
    std::size_t LineEnd(int line) const;
    std::string_view Line(int line) const;
    // The line holding the position (a position on a line break belongs to that line).
    int LineOf(std::size_t position) const;

    // Replaces the range between the two positions (in any order) by the text, its line breaks
    // made CR LF; returns the position just after the inserted text.
    std::size_t Replace(std::size_t from, std::size_t to, std::string_view text);

    // The position clamped to the text and moved off the middle of a CR LF.
    std::size_t Snap(std::size_t position) const;
    // One character back or forward; a line break counts as one character.
    std::size_t Previous(std::size_t position) const;
    std::size_t Next(std::size_t position) const;
    // The start of the word before / after the position (as Ctrl+Left and Ctrl+Right move).
    std::size_t WordLeft(std::size_t position) const;
    std::size_t WordRight(std::size_t position) const;
    // The word (or the run of blanks) around the position, within its line.
    std::pair<std::size_t, std::size_t> WordAt(std::size_t position) const;

    // The text with its line breaks made CR LF and NUL characters blanks.
    static std::string Normalized(std::string text);

  private:
    void IndexLines();
    bool InsideLineBreak(std::size_t position) const;

    std::string text_;
    std::vector<std::size_t> lineStarts_;
};
