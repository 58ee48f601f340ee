#pragma once
// The memo's editing rules without a window: the text with its selection and caret, the one-step undo
// that redoes when used again, the column the caret keeps through up and down, scrolling and its
// limits, hit testing and the layout of a line in pixels. The window feeds it the font's widths and its
// client size, turns messages into calls, and draws what it says.
#include "base/TextBuffer.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The widths of the font's characters in pixels.
struct TCharMetrics {
    int lineHeight = 16;
    int averageCharWidth = 8;
    std::array<int, 256> widths{};
};

class TMemoModel {
  public:
    // Room left free at the left and top of the client area.
    static constexpr int kLeftMargin = 2;
    static constexpr int kTopMargin = 1;

    // The kind of a change decides how it can be undone: typed characters in a row undo together.
    enum class TEditKind { Programmatic, Undoable, Typing };
    enum class TCaretKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };
    enum class TScroll { LineUp, LineDown, PageUp, PageDown, Track, Top, Bottom };
    struct TPoint {
        int x;
        int y;
    };
    struct TScrollRange {
        int max;
        int page;
        int position;
    };
    // Characters [first, last) of a line's glyphs drawn from x, selected or not.
    struct TRun {
        std::size_t first;
        std::size_t last;
        int x;
        int width;
        bool selected;
        bool operator==(const TRun&) const = default;
    };
    // The characters of a line that fall inside the client area (tabs drawn as blanks).
    struct TLineLayout {
        std::string glyphs;
        std::vector<int> advances;
        std::vector<TRun> runs;
    };

    // ---- the text, read-only
    const TTextBuffer& Buffer() const { return buffer_; }
    const std::string& Text() const { return buffer_.Text(); }
    int LineCount() const { return buffer_.LineCount(); }
    std::string_view Line(int line) const { return buffer_.Line(line); }

    // ---- editing
    // A new text: caret at the start, nothing to undo, not modified, scrolled to the top left.
    void Assign(std::string text);
    // Inserts the line before line `index`; an index just past the last line appends it. Cannot be
    // undone; false for an index outside.
    bool InsertLine(int index, const std::string& line);
    // Replaces the range by the text; false when nothing changed. The caret ends after the text.
    bool Edit(std::size_t from, std::size_t to, std::string_view text, TEditKind kind);
    bool ReplaceSelection(std::string_view text, TEditKind kind);
    // Typing: a character (control characters other than tab are not typeable), a line break, and
    // Backspace and Delete, which take the selection or else one character.
    static bool Typeable(char ch) { return static_cast<unsigned char>(ch) >= ' ' || ch == '\t'; }
    bool Type(std::string_view text);
    bool DeleteBackward();
    bool DeleteForward();
    // Undoing again puts the change back.
    bool CanUndo() const { return undo_.has_value(); }
    bool Undo();
    void ForgetUndo() { undo_.reset(); }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // ---- the selection: from the anchor to the caret (either may be the larger)
    std::size_t Anchor() const { return anchor_; }
    std::size_t Caret() const { return caret_; }
    std::size_t SelStart() const;
    std::size_t SelLength() const;
    std::string SelectedText() const { return buffer_.Text().substr(SelStart(), SelLength()); }
    void Select(std::size_t anchor, std::size_t caret);
    // As the edit control's EM_SETSEL takes it: a negative start drops the selection at the caret, a
    // negative end reaches the end of the text.
    void SelectRange(int start, int end);
    // The caret keys; with Ctrl, left and right go by words and Home and End to the text's ends.
    void MoveCaret(TCaretKey key, bool ctrl, bool extend);
    void MoveCaretTo(std::size_t position, bool extend);
    void SelectWordAt(int x, int y);

    // ---- lines as the edit control's messages count them; a negative argument means the selection
    std::optional<std::size_t> LineIndex(int line) const;
    int LineFromChar(int index) const;
    std::size_t LineLength(int index) const;

    // ---- geometry, in client pixels
    // Both keep the view inside the text; true when that scrolled it.
    bool SetMetrics(const TCharMetrics& metrics);
    const TCharMetrics& Metrics() const { return metrics_; }
    bool SetViewSize(int width, int height);
    int VisibleLines() const;
    int TextAreaWidth() const;
    // The width of the first `count` characters of a line; tab stops every eight average characters.
    int Advance(std::string_view line, std::size_t count) const;
    // The column whose left half or the one before whose right half holds x.
    std::size_t ColumnAt(std::string_view line, int x) const;
    std::size_t PositionAt(int x, int y) const;
    // The top of a line's row.
    int LineTop(int line) const { return kTopMargin + (line - topLine_) * metrics_.lineHeight; }
    // Where a position is drawn; none past the end of the text.
    std::optional<TPoint> PointOf(std::size_t position) const;
    TPoint CaretPoint() const { return *PointOf(caret_); }

    // ---- scrolling
    int TopLine() const { return topLine_; }
    int XOffset() const { return xOffset_; }
    TScrollRange VerticalRange() const;
    TScrollRange HorizontalRange() const;
    // Clamped to the text; false when the view stays where it was.
    bool ScrollTo(int topLine, int xOffset);
    void ScrollCaretIntoView();
    bool Scroll(bool vertical, TScroll command, int trackPosition = 0);
    bool ScrollBy(int lines, int characters);
    // A wheel turn of `delta` (120 a notch; the rest is kept for the next turn); a negative
    // linesPerNotch scrolls a page a notch.
    bool Wheel(int delta, int linesPerNotch);

    // ---- drawing
    int LastVisibleLine() const;
    TLineLayout LayOut(int line) const;

  private:
    struct TUndoStep {
        std::size_t position;
        std::string removed;
        std::size_t insertedLength;
        bool typing;
    };

    int NextX(int x, unsigned char ch) const;
    int LineWidth(std::string_view line) const { return Advance(line, line.size()); }
    void MeasureAllLines();
    void Grow(int firstLine, int lastLine);
    void MoveVertically(int lines, bool extend);
    void PlaceCaret(std::size_t position, bool extend, bool keepColumn);

    TTextBuffer buffer_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    int desiredX_ = -1;
    bool modified_ = false;
    std::optional<TUndoStep> undo_;

    TCharMetrics metrics_;
    int viewWidth_ = 0;
    int viewHeight_ = 0;
    int topLine_ = 0;
    int xOffset_ = 0;
    int widest_ = 0;
    int wheelRemainder_ = 0;
};
