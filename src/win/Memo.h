#pragma once
// A multi-line text editor: both scroll bars, no word wrap, no limit on the text's length, typed
// characters passed through the OEM character set and back. It keeps its text itself, one string with
// an index of its lines, so an output of many megabytes loads in one step and scrolls at once (the
// platform's edit control measures every line while it takes a text). It answers the edit control's
// messages for text, lines, selection, clipboard and undo, so other programs can read it the usual way.
#include "base/Classes.h"
#include "base/MemoModel.h"
#include "base/TypInfo_core.h"
#include "win/Controls.h"

#include <functional>
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
    std::string Text() const { return model_.Text(); }
    // Replaces the whole text in one step; line breaks become CR LF. The text is taken, not copied.
    void SetText(std::string text);
    int LineCount() const { return model_.LineCount(); }
    // The text, its selection and view, read-only (line i by Model().Line(i)).
    const TMemoModel& Model() const { return model_; }

    // The selection: from the anchor to the caret (either may be the larger).
    std::size_t SelStart() const { return model_.SelStart(); }
    std::size_t SelLength() const { return model_.SelLength(); }
    void SetSelection(std::size_t anchor, std::size_t caret);
    void ReplaceSelection(std::string_view text, bool canUndo);
    void SelectAll();
    void CopyToClipboard() const;
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return model_.CanUndo(); }
    void Undo();
    // The first line shown at the top.
    int TopLine() const { return model_.TopLine(); }

    // A line drawn marked: a band across the view behind its text, and the text's colour. Asked for
    // each line painted; selected text keeps the selection's colours.
    struct TLineMark {
        COLORREF band;
        COLORREF text;
    };
    std::function<std::optional<TLineMark>(int line)> LineMark;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CommandNotify(WORD code) override;
    void Paint(HDC dc) override;

  private:
    // Each takes its group of messages and answers nothing for the others.
    std::optional<LRESULT> TextMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> LineMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> EditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // After the model changed: scroll bars, caret and picture follow; Changed also tells the parent.
    void Refresh();
    void Changed();
    void Apply(bool textChanged) { textChanged ? Changed() : Refresh(); }
    void DeleteSelection(bool scroll);

    void OnSetFont(HFONT font, bool redraw);
    void OnScroll(int bar, WORD code);
    void OnWheel(int delta);
    void OnKeyDown(WPARAM key);
    void OnChar(char ch);
    void OnMouseDown(int x, int y, bool extend);
    void OnDragTimer();
    void DragTo(int x, int y);
    void ShowContextMenu(int x, int y);
    void UpdateScrollBars();
    void UpdateCaret();
    void PaintLine(HDC dc, int line, COLORREF textColor);

    TMemoModel model_;
    HFONT font_ = nullptr;
    bool dragging_ = false;
    bool hasCaret_ = false;
};
