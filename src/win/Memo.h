#pragma once
// A multi-line text editor: both scroll bars, no word wrap, no limit on the text's length, typed
// characters passed through the OEM character set and back. It keeps its text itself, one string with
// an index of its lines, so an output of many megabytes loads in one step and scrolls at once (the
// platform's edit control measures every line while it takes a text). It answers the edit control's
// messages for text, lines, selection, clipboard and undo, so other programs can read it the usual way.
#include "base/Classes.h"
#include "base/TextBuffer.h"
#include "base/TypInfo_core.h"
#include "win/Controls.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class TMemo : public TWinControl, public IPublished {
  public:
    TMemo(TComponent* owner, TWinControl* parent, const TBounds& bounds);
    ~TMemo() override;
    std::string ClassName() const override { return "TMemo"; }
    // Color and Font, as the settings storage keeps them.
    const TClassDesc& PublishedClass() const override;

    // The lines, each ended by CR LF when joined.
    TStringList Lines() const;
    void SetLines(const TStringList& lines);
    // Inserts the line before line `index`; an index just past the last line appends it.
    void InsertLine(int index, const std::string& line);
    std::string Text() const { return buffer_.Text(); }
    // Replaces the whole text in one step; line breaks become CR LF. The text is taken, not copied.
    void SetText(std::string text);
    int LineCount() const { return buffer_.LineCount(); }

    // The selection: from the anchor to the caret (either may be the larger).
    std::size_t SelStart() const;
    std::size_t SelLength() const;
    void SetSelection(std::size_t anchor, std::size_t caret);
    void ReplaceSelection(std::string_view text, bool canUndo);
    void SelectAll();
    void CopyToClipboard() const;
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return undo_.has_value(); }
    void Undo();
    // The first line shown at the top.
    int TopLine() const { return topLine_; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CommandNotify(WORD code) override;
    void Paint(HDC dc) override;

  private:
    // The kind of a change decides how it can be undone: typed characters in a row undo together.
    enum class TEditKind { Programmatic, Undoable, Typing };
    struct TUndoStep {
        std::size_t position;
        std::string removed;
        std::size_t insertedLength;
        bool typing;
    };

    void Edit(std::size_t from, std::size_t to, std::string_view text, TEditKind kind);
    void AfterChange(int firstLine, int lastLine);
    void TypeCharacter(char ch);

    void UpdateMetrics();
    int Advance(std::string_view line, std::size_t count) const;
    std::size_t ColumnAt(std::string_view line, int x) const;
    int LineWidth(std::string_view line) const { return Advance(line, line.size()); }
    void MeasureAllLines();
    std::size_t PositionAt(int x, int y) const;
    int VisibleLines() const;
    int TextAreaWidth() const;

    void MoveCaret(std::size_t position, bool extend, bool keepDesiredX = false);
    void MoveVertically(int lines, bool extend);
    void ScrollCaretIntoView();
    void ScrollTo(int topLine, int xOffset);
    void UpdateScrollBars();
    void UpdateCaret();
    void OnKeyDown(WPARAM key);
    void OnChar(char ch);
    void OnMouseSelect(int x, int y);
    void OnScroll(int bar, WORD code);
    void ShowContextMenu(int x, int y);
    void PaintLine(HDC dc, int line, int y, std::size_t selFrom, std::size_t selTo);

    TTextBuffer buffer_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    int desiredX_ = -1;
    int topLine_ = 0;
    int xOffset_ = 0;
    int widest_ = 0;
    bool modified_ = false;
    bool dragging_ = false;
    bool hasCaret_ = false;
    int wheelRemainder_ = 0;
    std::optional<TUndoStep> undo_;

    HFONT font_ = nullptr;
    int lineHeight_ = 16;
    int averageCharWidth_ = 8;
    int tabWidth_ = 64;
    std::array<int, 256> charWidths_{};
};
