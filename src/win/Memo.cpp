#include "win/Memo.h"

#include "base/FontProps_core.h"
#include "win/Forms.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
const char* const kMemoClass = "TnwkMemo";
constexpr int kLeftMargin = 2;
constexpr int kTopMargin = 1;
constexpr UINT_PTR kDragScrollTimer = 1;
constexpr UINT kDragScrollInterval = 50;

enum MenuCommand : UINT { cmUndo = 1, cmCut, cmCopy, cmPaste, cmDelete, cmSelectAll };

// The clipboard, open for one scope.
class ClipboardScope {
  public:
    explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (open_)
            CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool Open() const { return open_; }

  private:
    bool open_;
};

// Typed characters go through the OEM character set and back, so only characters a DOS program
// could show are entered.
char ThroughOemCharset(char ch) {
    char oem = ch;
    CharToOemBuffA(&ch, &oem, 1);
    char back = oem;
    OemToCharBuffA(&oem, &back, 1);
    return back;
}
} // namespace

TMemo::TMemo(TComponent* owner, TWinControl* parent, const TBounds& bounds) : TWinControl(owner, parent) {
    RegisterLibraryClass(kMemoClass, IDC_IBEAM);
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    SetTabStop(true);
    SetColor(clWindow);
    SetOwnerPainted(true);
    TCreateParams params;
    params.className = kMemoClass;
    params.style |= WS_HSCROLL | WS_VSCROLL;
    params.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(params);
    UpdateScrollBars();
}

TMemo::~TMemo() {
    if (Handle())
        KillTimer(Handle(), kDragScrollTimer);
}

const TClassDesc& TMemo::PublishedClass() const {
    static const TClassDesc desc("TMemo", nullptr,
                                 {published::Integer<TMemo>(
                                      "Color", [](const TMemo& m) { return m.Color(); },
                                      [](TMemo& m, std::int64_t v) { m.SetColor(static_cast<TColor>(v)); }),
                                  published::Font<TMemo>(
                                      "Font", [](const TMemo& m) { return m.Font().Desc(); },
                                      [](TMemo& m, const TFontDesc& desc) { m.Font().Assign(desc); })});
    return desc;
}

// ---------------------------------------------------------------- text

TStringList TMemo::Lines() const {
    TStringList lines;
    lines.SetText(buffer_.Text());
    return lines;
}

void TMemo::SetLines(const TStringList& lines) {
    std::string text = lines.Text();
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    SetText(std::move(text));
}

void TMemo::SetText(std::string text) {
    buffer_.Assign(std::move(text));
    anchor_ = caret_ = 0;
    desiredX_ = -1;
    undo_.reset();
    modified_ = false;
    topLine_ = 0;
    xOffset_ = 0;
    MeasureAllLines();
    UpdateScrollBars();
    UpdateCaret();
    Invalidate();
    if (Parent())
        SendMessageA(Parent()->Handle(), WM_COMMAND, MAKEWPARAM(ControlId(), EN_CHANGE),
                     reinterpret_cast<LPARAM>(Handle()));
}

void TMemo::InsertLine(int index, const std::string& line) {
    if (index < 0 || index > LineCount())
        return;
    if (index < LineCount()) {
        const std::size_t start = buffer_.LineStart(index);
        SetSelection(start, start);
        ReplaceSelection(line + "\r\n", false);
    } else {
        const std::size_t end = buffer_.Length();
        SetSelection(end, end);
        ReplaceSelection("\r\n" + line, false);
    }
}

std::size_t TMemo::SelStart() const {
    return std::min(anchor_, caret_);
}
std::size_t TMemo::SelLength() const {
    return std::max(anchor_, caret_) - SelStart();
}

void TMemo::SetSelection(std::size_t anchor, std::size_t caret) {
    anchor_ = buffer_.Snap(anchor);
    caret_ = buffer_.Snap(caret);
    desiredX_ = -1;
    UpdateCaret();
    Invalidate();
}

void TMemo::SelectAll() {
    SetSelection(0, buffer_.Length());
}

void TMemo::ReplaceSelection(std::string_view text, bool canUndo) {
    Edit(anchor_, caret_, text, canUndo ? TEditKind::Undoable : TEditKind::Programmatic);
    ScrollCaretIntoView();
}

void TMemo::Edit(std::size_t from, std::size_t to, std::string_view text, TEditKind kind) {
    from = buffer_.Snap(from);
    to = buffer_.Snap(to);
    if (to < from)
        std::swap(from, to);
    if (from == to && text.empty())
        return;
    std::string removed =
        kind == TEditKind::Programmatic ? std::string() : buffer_.Text().substr(from, to - from);
    const std::size_t end = buffer_.Replace(from, to, text);
    const std::size_t inserted = end - from;
    if (kind == TEditKind::Programmatic) {
        undo_.reset();
    } else if (kind == TEditKind::Typing && removed.empty() && undo_ && undo_->typing &&
               undo_->position + undo_->insertedLength == from) {
        undo_->insertedLength += inserted;
    } else {
        undo_ = TUndoStep{from, std::move(removed), inserted, kind == TEditKind::Typing};
    }
    anchor_ = caret_ = end;
    desiredX_ = -1;
    modified_ = true;
    AfterChange(buffer_.LineOf(from), buffer_.LineOf(end));
}

void TMemo::AfterChange(int firstLine, int lastLine) {
    // Like the platform's edit control, the widest line only grows while the text is edited.
    for (int line = firstLine; line <= lastLine; ++line)
        widest_ = std::max(widest_, LineWidth(buffer_.Line(line)));
    UpdateScrollBars();
    ScrollTo(topLine_, xOffset_);
    UpdateCaret();
    Invalidate();
    if (Parent())
        SendMessageA(Parent()->Handle(), WM_COMMAND, MAKEWPARAM(ControlId(), EN_CHANGE),
                     reinterpret_cast<LPARAM>(Handle()));
}

void TMemo::Undo() {
    if (!undo_)
        return;
    const TUndoStep step = std::move(*undo_);
    undo_.reset();
    const std::size_t insertedEnd = step.position + step.insertedLength;
    std::string reinserted = buffer_.Text().substr(step.position, step.insertedLength);
    const std::size_t end = buffer_.Replace(step.position, insertedEnd, step.removed);
    // Undoing again puts the change back, as the platform's edit control does.
    undo_ = TUndoStep{step.position, std::move(reinserted), end - step.position, false};
    anchor_ = step.position;
    caret_ = end;
    desiredX_ = -1;
    modified_ = true;
    AfterChange(buffer_.LineOf(step.position), buffer_.LineOf(end));
    ScrollCaretIntoView();
}

void TMemo::CommandNotify(WORD code) {
    if (code == EN_CHANGE && OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------- clipboard

void TMemo::CopyToClipboard() const {
    if (SelLength() == 0)
        return;
    ClipboardScope clipboard(Handle());
    if (!clipboard.Open())
        return;
    EmptyClipboard();
    const std::size_t length = SelLength();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (!memory)
        return;
    if (auto* target = static_cast<char*>(GlobalLock(memory))) {
        std::memcpy(target, buffer_.Text().data() + SelStart(), length);
        target[length] = '\0';
        GlobalUnlock(memory);
        if (SetClipboardData(CF_TEXT, memory))
            return;
    }
    GlobalFree(memory);
}

void TMemo::CutToClipboard() {
    if (SelLength() == 0)
        return;
    CopyToClipboard();
    Edit(anchor_, caret_, {}, TEditKind::Undoable);
    ScrollCaretIntoView();
}

void TMemo::PasteFromClipboard() {
    std::string text;
    {
        ClipboardScope clipboard(Handle());
        if (!clipboard.Open())
            return;
        HANDLE data = GetClipboardData(CF_TEXT);
        if (!data)
            return;
        const auto* source = static_cast<const char*>(GlobalLock(data));
        if (!source)
            return;
        text = source;
        GlobalUnlock(data);
    }
    Edit(anchor_, caret_, text, TEditKind::Undoable);
    ScrollCaretIntoView();
}

// ---------------------------------------------------------------- measuring

void TMemo::UpdateMetrics() {
    WindowDc dc(Handle());
    SelectionScope select(dc.get(), font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    lineHeight_ = std::max<int>(1, metrics.tmHeight);
    averageCharWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
    // Tab stops every 32 dialog units, as in the platform's edit control: eight average characters.
    tabWidth_ = 8 * averageCharWidth_;
    INT widths[256] = {};
    if (!GetCharWidth32A(dc.get(), 0, 255, widths))
        std::fill(std::begin(widths), std::end(widths), averageCharWidth_);
    for (std::size_t i = 0; i < 256; ++i)
        charWidths_[i] = widths[i];
}

int TMemo::Advance(std::string_view line, std::size_t count) const {
    int x = 0;
    for (std::size_t i = 0; i < count && i < line.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(line[i]);
        x = ch == '\t' ? (x / tabWidth_ + 1) * tabWidth_ : x + charWidths_[ch];
    }
    return x;
}

std::size_t TMemo::ColumnAt(std::string_view line, int x) const {
    int left = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(line[i]);
        const int right = ch == '\t' ? (left / tabWidth_ + 1) * tabWidth_ : left + charWidths_[ch];
        if (x < (left + right) / 2)
            return i;
        left = right;
    }
    return line.size();
}

void TMemo::MeasureAllLines() {
    widest_ = 0;
    for (int line = 0; line < buffer_.LineCount(); ++line)
        widest_ = std::max(widest_, LineWidth(buffer_.Line(line)));
}

int TMemo::VisibleLines() const {
    return std::max(1, (ClientHeight() - kTopMargin) / lineHeight_);
}

int TMemo::TextAreaWidth() const {
    return std::max(1, ClientWidth() - kLeftMargin);
}

std::size_t TMemo::PositionAt(int x, int y) const {
    const int row = y >= kTopMargin ? (y - kTopMargin) / lineHeight_
                                    : -((kTopMargin - y + lineHeight_ - 1) / lineHeight_);
    const int line = std::clamp(topLine_ + row, 0, buffer_.LineCount() - 1);
    return buffer_.LineStart(line) + ColumnAt(buffer_.Line(line), x - kLeftMargin + xOffset_);
}

// ---------------------------------------------------------------- scrolling and the caret

void TMemo::UpdateScrollBars() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = buffer_.LineCount() - 1;
    info.nPage = static_cast<UINT>(VisibleLines());
    info.nPos = topLine_;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    info.nMax = widest_ + averageCharWidth_;
    info.nPage = static_cast<UINT>(TextAreaWidth());
    info.nPos = xOffset_;
    SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
}

void TMemo::ScrollTo(int topLine, int xOffset) {
    const int maxTop = std::max(0, buffer_.LineCount() - VisibleLines());
    const int maxX = std::max(0, widest_ + averageCharWidth_ - TextAreaWidth() + 1);
    topLine = std::clamp(topLine, 0, maxTop);
    xOffset = std::clamp(xOffset, 0, maxX);
    if (topLine == topLine_ && xOffset == xOffset_)
        return;
    topLine_ = topLine;
    xOffset_ = xOffset;
    UpdateScrollBars();
    UpdateCaret();
    Invalidate();
}

void TMemo::ScrollCaretIntoView() {
    const int line = buffer_.LineOf(caret_);
    int top = topLine_;
    if (line < top)
        top = line;
    else if (line >= top + VisibleLines())
        top = line - VisibleLines() + 1;
    const int x = Advance(buffer_.Line(line), caret_ - buffer_.LineStart(line));
    int left = xOffset_;
    const int width = TextAreaWidth();
    if (x < left)
        left = std::max(0, x - width / 3);
    else if (x >= left + width - 1)
        left = x - width * 2 / 3;
    ScrollTo(top, left);
}

void TMemo::UpdateCaret() {
    if (!hasCaret_)
        return;
    const int line = buffer_.LineOf(caret_);
    const int x = kLeftMargin + Advance(buffer_.Line(line), caret_ - buffer_.LineStart(line)) - xOffset_;
    const int y = kTopMargin + (line - topLine_) * lineHeight_;
    SetCaretPos(x, y);
}

void TMemo::MoveCaret(std::size_t position, bool extend, bool keepDesiredX) {
    caret_ = buffer_.Snap(position);
    if (!extend)
        anchor_ = caret_;
    if (!keepDesiredX)
        desiredX_ = -1;
    ScrollCaretIntoView();
    UpdateCaret();
    Invalidate();
}

void TMemo::MoveVertically(int lines, bool extend) {
    const int line = buffer_.LineOf(caret_);
    if (desiredX_ < 0)
        desiredX_ = Advance(buffer_.Line(line), caret_ - buffer_.LineStart(line));
    const int target = std::clamp(line + lines, 0, buffer_.LineCount() - 1);
    MoveCaret(buffer_.LineStart(target) + ColumnAt(buffer_.Line(target), desiredX_), extend, true);
}

void TMemo::OnScroll(int bar, WORD code) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), bar, &info);
    const bool vertical = bar == SB_VERT;
    const int line = vertical ? 1 : averageCharWidth_;
    const int page = vertical ? VisibleLines() : std::max(1, TextAreaWidth() * 2 / 3);
    int position = vertical ? topLine_ : xOffset_;
    switch (code) {
    case SB_LINEUP:
        position -= line;
        break;
    case SB_LINEDOWN:
        position += line;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    if (vertical)
        ScrollTo(position, xOffset_);
    else
        ScrollTo(topLine_, position);
}

// ---------------------------------------------------------------- keyboard and mouse

void TMemo::OnKeyDown(WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const int line = buffer_.LineOf(caret_);
    switch (key) {
    case VK_LEFT:
        MoveCaret(ctrl ? buffer_.WordLeft(caret_) : buffer_.Previous(caret_), shift);
        break;
    case VK_RIGHT:
        MoveCaret(ctrl ? buffer_.WordRight(caret_) : buffer_.Next(caret_), shift);
        break;
    case VK_UP:
        MoveVertically(-1, shift);
        break;
    case VK_DOWN:
        MoveVertically(1, shift);
        break;
    case VK_PRIOR:
        ScrollTo(topLine_ - VisibleLines(), xOffset_);
        MoveVertically(-VisibleLines(), shift);
        break;
    case VK_NEXT:
        ScrollTo(topLine_ + VisibleLines(), xOffset_);
        MoveVertically(VisibleLines(), shift);
        break;
    case VK_HOME:
        MoveCaret(ctrl ? 0 : buffer_.LineStart(line), shift);
        break;
    case VK_END:
        MoveCaret(ctrl ? buffer_.Length() : buffer_.LineEnd(line), shift);
        break;
    case VK_DELETE:
        if (shift)
            CutToClipboard();
        else if (SelLength() > 0)
            Edit(anchor_, caret_, {}, TEditKind::Undoable);
        else
            Edit(caret_, buffer_.Next(caret_), {}, TEditKind::Undoable);
        ScrollCaretIntoView();
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (shift)
            PasteFromClipboard();
        break;
    default:
        break;
    }
}

void TMemo::OnChar(char ch) {
    switch (ch) {
    case '\x01': // Ctrl+A
        SelectAll();
        return;
    case '\x03': // Ctrl+C
        CopyToClipboard();
        return;
    case '\x16': // Ctrl+V
        PasteFromClipboard();
        return;
    case '\x18': // Ctrl+X
        CutToClipboard();
        return;
    case '\x1A': // Ctrl+Z
        Undo();
        return;
    case '\b':
        if (SelLength() > 0)
            Edit(anchor_, caret_, {}, TEditKind::Undoable);
        else
            Edit(buffer_.Previous(caret_), caret_, {}, TEditKind::Undoable);
        ScrollCaretIntoView();
        return;
    case '\r':
    case '\n':
        Edit(anchor_, caret_, "\r\n", TEditKind::Typing);
        ScrollCaretIntoView();
        return;
    default:
        if (static_cast<unsigned char>(ch) < ' ' && ch != '\t')
            return;
        TypeCharacter(ch == '\t' ? ch : ThroughOemCharset(ch));
        return;
    }
}

void TMemo::TypeCharacter(char ch) {
    Edit(anchor_, caret_, std::string_view(&ch, 1), TEditKind::Typing);
    ScrollCaretIntoView();
}

void TMemo::OnMouseSelect(int x, int y) {
    MoveCaret(PositionAt(x, y), true);
}

void TMemo::ShowContextMenu(int x, int y) {
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    const bool selection = SelLength() > 0;
    const bool canPaste = IsClipboardFormatAvailable(CF_TEXT) != FALSE;
    AppendMenuA(menu, MF_STRING | (CanUndo() ? 0 : MF_GRAYED), cmUndo, "&Undo");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (selection ? 0 : MF_GRAYED), cmCut, "Cu&t");
    AppendMenuA(menu, MF_STRING | (selection ? 0 : MF_GRAYED), cmCopy, "&Copy");
    AppendMenuA(menu, MF_STRING | (canPaste ? 0 : MF_GRAYED), cmPaste, "&Paste");
    AppendMenuA(menu, MF_STRING | (selection ? 0 : MF_GRAYED), cmDelete, "&Delete");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (buffer_.Length() ? 0 : MF_GRAYED), cmSelectAll, "Select &All");
    if (x == -1 && y == -1) {
        // Opened from the keyboard: at the caret.
        POINT at{};
        GetCaretPos(&at);
        ClientToScreen(Handle(), &at);
        x = at.x;
        y = at.y + lineHeight_;
    }
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, Handle(), nullptr));
    DestroyMenu(menu);
    switch (command) {
    case cmUndo:
        Undo();
        break;
    case cmCut:
        CutToClipboard();
        break;
    case cmCopy:
        CopyToClipboard();
        break;
    case cmPaste:
        PasteFromClipboard();
        break;
    case cmDelete:
        Edit(anchor_, caret_, {}, TEditKind::Undoable);
        ScrollCaretIntoView();
        break;
    case cmSelectAll:
        SelectAll();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- painting

void TMemo::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    // Drawn off-screen first, so scrolling and typing do not flicker.
    MemoryDc memory(CreateCompatibleDC(dc));
    BitmapHandle bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    SelectionScope selectBitmap(memory.get(), bitmap.get());
    FillRect(memory.get(), &client, BackgroundBrush());
    SelectionScope selectFont(memory.get(),
                              font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FONT));
    SetBkMode(memory.get(), TRANSPARENT);
    const std::size_t selFrom = SelStart();
    const std::size_t selTo = selFrom + SelLength();
    const int lastLine = std::min(buffer_.LineCount() - 1, topLine_ + VisibleLines());
    for (int line = topLine_; line <= lastLine; ++line)
        PaintLine(memory.get(), line, kTopMargin + (line - topLine_) * lineHeight_, selFrom, selTo);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void TMemo::PaintLine(HDC dc, int line, int y, std::size_t selFrom, std::size_t selTo) {
    const std::string_view text = buffer_.Line(line);
    const std::size_t lineStart = buffer_.LineStart(line);
    const int clientWidth = ClientWidth();
    // Only the characters inside the window are drawn; a very long line costs no more than a short one.
    std::string glyphs;
    std::vector<INT> advances;
    std::vector<std::size_t> columns;
    int x = 0;
    int firstX = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        const int right = ch == '\t' ? (x / tabWidth_ + 1) * tabWidth_ : x + charWidths_[ch];
        const int screenLeft = kLeftMargin + x - xOffset_;
        if (screenLeft >= clientWidth)
            break;
        if (kLeftMargin + right - xOffset_ > 0) {
            if (glyphs.empty())
                firstX = screenLeft;
            glyphs += ch == '\t' ? ' ' : static_cast<char>(ch);
            advances.push_back(right - x);
            columns.push_back(i);
        }
        x = right;
    }
    if (glyphs.empty())
        return;
    const COLORREF textColor = Enabled() ? ColorToRGB(Font().Desc().color) : GetSysColor(COLOR_GRAYTEXT);
    // Runs of unselected and selected characters, each drawn in its colours.
    std::size_t runStart = 0;
    int runX = firstX;
    while (runStart < glyphs.size()) {
        const std::size_t position = lineStart + columns[runStart];
        const bool selected = position >= selFrom && position < selTo;
        std::size_t runEnd = runStart + 1;
        while (runEnd < glyphs.size()) {
            const std::size_t p = lineStart + columns[runEnd];
            if ((p >= selFrom && p < selTo) != selected)
                break;
            ++runEnd;
        }
        int runWidth = 0;
        for (std::size_t i = runStart; i < runEnd; ++i)
            runWidth += advances[i];
        if (selected) {
            RECT band{runX, y, runX + runWidth, y + lineHeight_};
            FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, textColor);
        }
        ExtTextOutA(dc, runX, y, 0, nullptr, glyphs.data() + runStart, static_cast<UINT>(runEnd - runStart),
                    advances.data() + runStart);
        runX += runWidth;
        runStart = runEnd;
    }
}

// ---------------------------------------------------------------- messages

LRESULT TMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        UpdateMetrics();
        MeasureAllLines();
        UpdateScrollBars();
        ScrollTo(topLine_, xOffset_);
        if (hasCaret_) {
            DestroyCaret();
            CreateCaret(Handle(), nullptr, 1, lineHeight_);
            ShowCaret(Handle());
            UpdateCaret();
        }
        if (LOWORD(lParam))
            Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT:
        SetText(lParam ? std::string(reinterpret_cast<const char*>(lParam)) : std::string());
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(buffer_.Length());
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        const std::size_t count = std::min<std::size_t>(buffer_.Length(), wParam - 1);
        auto* target = reinterpret_cast<char*>(lParam);
        std::memcpy(target, buffer_.Text().data(), count);
        target[count] = '\0';
        return static_cast<LRESULT>(count);
    }
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_SIZE:
        TWinControl::WndProc(msg, wParam, lParam);
        UpdateScrollBars();
        ScrollTo(topLine_, xOffset_);
        Invalidate();
        return 0;
    case WM_SETFOCUS:
        CreateCaret(Handle(), nullptr, 1, lineHeight_);
        hasCaret_ = true;
        UpdateCaret();
        ShowCaret(Handle());
        return 0;
    case WM_KILLFOCUS:
        if (hasCaret_) {
            DestroyCaret();
            hasCaret_ = false;
        }
        return 0;
    case WM_ENABLE:
        Invalidate();
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL: {
        UINT linesPerNotch = 3;
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
        wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
        const int notches = wheelRemainder_ / WHEEL_DELTA;
        wheelRemainder_ -= notches * WHEEL_DELTA;
        if (linesPerNotch == WHEEL_PAGESCROLL)
            ScrollTo(topLine_ - notches * VisibleLines(), xOffset_);
        else
            ScrollTo(topLine_ - notches * static_cast<int>(linesPerNotch), xOffset_);
        return 0;
    }
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        OnChar(static_cast<char>(wParam));
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus();
        const std::size_t position = PositionAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        MoveCaret(position, (wParam & MK_SHIFT) != 0);
        dragging_ = true;
        SetCapture(Handle());
        SetTimer(Handle(), kDragScrollTimer, kDragScrollInterval, nullptr);
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        const auto word = buffer_.WordAt(PositionAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        SetSelection(word.first, word.second);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (dragging_)
            OnMouseSelect(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kDragScrollTimer && dragging_) {
            // Held outside the window while selecting: the text keeps scrolling towards the pointer.
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(Handle(), &at);
            RECT client;
            GetClientRect(Handle(), &client);
            if (!PtInRect(&client, at))
                OnMouseSelect(at.x, at.y);
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_)
            ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        KillTimer(Handle(), kDragScrollTimer);
        return 0;
    case WM_CONTEXTMENU:
        SetFocus();
        ShowContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case EM_GETSEL: {
        const DWORD start = static_cast<DWORD>(SelStart());
        const DWORD end = static_cast<DWORD>(SelStart() + SelLength());
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = end;
        return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL: {
        const auto start = static_cast<int>(wParam);
        const auto end = static_cast<int>(lParam);
        if (start < 0)
            SetSelection(caret_, caret_);
        else
            SetSelection(static_cast<std::size_t>(start),
                         end < 0 ? buffer_.Length() : static_cast<std::size_t>(end));
        return 0;
    }
    case EM_REPLACESEL:
        ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : "", wParam != 0);
        return 0;
    case EM_GETLINECOUNT:
        return LineCount();
    case EM_LINEINDEX: {
        const int line = static_cast<int>(wParam) < 0 ? buffer_.LineOf(caret_) : static_cast<int>(wParam);
        return line < LineCount() ? static_cast<LRESULT>(buffer_.LineStart(line)) : -1;
    }
    case EM_LINEFROMCHAR: {
        const auto index = static_cast<int>(wParam);
        return buffer_.LineOf(index < 0 ? SelStart() : static_cast<std::size_t>(index));
    }
    case EM_LINELENGTH: {
        const auto index = static_cast<int>(wParam);
        if (index >= 0)
            return static_cast<LRESULT>(buffer_.Line(buffer_.LineOf(static_cast<std::size_t>(index))).size());
        // The unselected characters of the lines the selection touches.
        const std::size_t from = SelStart();
        const std::size_t to = from + SelLength();
        return static_cast<LRESULT>((from - buffer_.LineStart(buffer_.LineOf(from))) +
                                    (buffer_.LineEnd(buffer_.LineOf(to)) - to));
    }
    case EM_GETLINE: {
        const auto line = static_cast<int>(wParam);
        auto* target = reinterpret_cast<char*>(lParam);
        if (!target || line < 0 || line >= LineCount())
            return 0;
        WORD capacity;
        std::memcpy(&capacity, target, sizeof capacity);
        const std::string_view text = buffer_.Line(line);
        const std::size_t count = std::min<std::size_t>(text.size(), capacity);
        std::memcpy(target, text.data(), count);
        return static_cast<LRESULT>(count);
    }
    case EM_GETFIRSTVISIBLELINE:
        return topLine_;
    case EM_POSFROMCHAR: {
        const std::size_t position = static_cast<std::size_t>(wParam);
        if (position > buffer_.Length())
            return -1;
        const int line = buffer_.LineOf(position);
        const int x =
            kLeftMargin + Advance(buffer_.Line(line), position - buffer_.LineStart(line)) - xOffset_;
        const int y = kTopMargin + (line - topLine_) * lineHeight_;
        return MAKELRESULT(static_cast<WORD>(x), static_cast<WORD>(y));
    }
    case EM_CHARFROMPOS: {
        const std::size_t position = PositionAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return MAKELRESULT(static_cast<WORD>(position), static_cast<WORD>(buffer_.LineOf(position)));
    }
    case EM_LINESCROLL:
        ScrollTo(topLine_ + static_cast<int>(lParam),
                 xOffset_ + static_cast<int>(wParam) * averageCharWidth_);
        return TRUE;
    case EM_SCROLLCARET:
        ScrollCaretIntoView();
        return TRUE;
    case EM_GETMODIFY:
        return modified_;
    case EM_SETMODIFY:
        modified_ = wParam != 0;
        return 0;
    case EM_CANUNDO:
        return CanUndo();
    case EM_UNDO:
    case WM_UNDO:
        Undo();
        return TRUE;
    case EM_EMPTYUNDOBUFFER:
        undo_.reset();
        return 0;
    case WM_COPY:
        CopyToClipboard();
        return 0;
    case WM_CUT:
        CutToClipboard();
        return 0;
    case WM_PASTE:
        PasteFromClipboard();
        return 0;
    case WM_CLEAR:
        Edit(anchor_, caret_, {}, TEditKind::Undoable);
        return 0;
    default:
        return TWinControl::WndProc(msg, wParam, lParam);
    }
}
