#include "win/Memo.h"

#include "base/FontProps_core.h"
#include "win/Clipbrd.h"
#include "win/Forms.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
const char* const kMemoClass = "TnwkMemo";
constexpr UINT_PTR kDragScrollTimer = 1;
constexpr UINT kDragScrollInterval = 50;

// Typed characters go through the OEM character set and back, so only characters a DOS program
// could show are entered.
char ThroughOemCharset(char ch) {
    char oem = ch;
    CharToOemBuffA(&ch, &oem, 1);
    char back = oem;
    OemToCharBuffA(&oem, &back, 1);
    return back;
}

// The value a table gives a key or a code; none for one it does not list.
template <typename Value, std::size_t N>
std::optional<Value> Lookup(const std::pair<UINT_PTR, Value> (&table)[N], UINT_PTR key) {
    for (const auto& [listed, value] : table)
        if (listed == key)
            return value;
    return std::nullopt;
}

using Key = TMemoModel::TCaretKey;
const std::pair<UINT_PTR, Key> kCaretKeys[] = {
    {VK_LEFT, Key::Left},    {VK_RIGHT, Key::Right},   {VK_UP, Key::Up},     {VK_DOWN, Key::Down},
    {VK_PRIOR, Key::PageUp}, {VK_NEXT, Key::PageDown}, {VK_HOME, Key::Home}, {VK_END, Key::End}};

// The scroll bar codes that move the view.
using Scroll = TMemoModel::TScroll;
const std::pair<UINT_PTR, Scroll> kScrollCodes[] = {
    {SB_LINEUP, Scroll::LineUp},     {SB_LINEDOWN, Scroll::LineDown}, {SB_PAGEUP, Scroll::PageUp},
    {SB_PAGEDOWN, Scroll::PageDown}, {SB_THUMBTRACK, Scroll::Track},  {SB_THUMBPOSITION, Scroll::Track},
    {SB_TOP, Scroll::Top},           {SB_BOTTOM, Scroll::Bottom}};
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
    model_.SetViewSize(ClientWidth(), ClientHeight());
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
    lines.SetText(model_.Text());
    return lines;
}

void TMemo::SetLines(const TStringList& lines) {
    std::string text = lines.Text();
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    SetText(std::move(text));
}

void TMemo::SetText(std::string text) {
    model_.Assign(std::move(text));
    Changed();
}

void TMemo::InsertLine(int index, const std::string& line) {
    if (model_.InsertLine(index, line))
        Changed();
}

void TMemo::SetSelection(std::size_t anchor, std::size_t caret) {
    model_.Select(anchor, caret);
    Refresh();
}

void TMemo::SelectAll() {
    SetSelection(0, model_.Buffer().Length());
}

void TMemo::ReplaceSelection(std::string_view text, bool canUndo) {
    using Kind = TMemoModel::TEditKind;
    Apply(model_.ReplaceSelection(text, canUndo ? Kind::Undoable : Kind::Programmatic));
}

void TMemo::DeleteSelection(bool scroll) {
    using Kind = TMemoModel::TEditKind;
    Apply(scroll ? model_.ReplaceSelection({}, Kind::Undoable)
                 : model_.Edit(model_.Anchor(), model_.Caret(), {}, Kind::Undoable));
}

void TMemo::Undo() {
    if (model_.Undo())
        Changed();
}

void TMemo::Refresh() {
    UpdateScrollBars();
    UpdateCaret();
    Invalidate();
}

void TMemo::Changed() {
    Refresh();
    if (Parent())
        SendMessageA(Parent()->Handle(), WM_COMMAND, MAKEWPARAM(ControlId(), EN_CHANGE),
                     reinterpret_cast<LPARAM>(Handle()));
}

void TMemo::CommandNotify(WORD code) {
    if (code == EN_CHANGE && OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------- clipboard

void TMemo::CopyToClipboard() const {
    if (SelLength() > 0)
        clipbrd::SetText(Handle(), std::string_view(model_.Text()).substr(SelStart(), SelLength()));
}

void TMemo::CutToClipboard() {
    if (SelLength() == 0)
        return;
    CopyToClipboard();
    DeleteSelection(true);
}

void TMemo::PasteFromClipboard() {
    if (const auto text = clipbrd::Text(Handle()))
        Apply(model_.ReplaceSelection(*text, TMemoModel::TEditKind::Undoable));
}

// ---------------------------------------------------------------- font, scroll bars and caret

void TMemo::OnSetFont(HFONT font, bool redraw) {
    font_ = font;
    TCharMetrics metrics;
    {
        WindowDc dc(Handle());
        SelectionScope select(dc.get(), font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FONT));
        TEXTMETRICA text{};
        GetTextMetricsA(dc.get(), &text);
        metrics.lineHeight = std::max<int>(1, text.tmHeight);
        metrics.averageCharWidth = std::max<int>(1, text.tmAveCharWidth);
        if (!GetCharWidth32A(dc.get(), 0, 255, metrics.widths.data()))
            metrics.widths.fill(metrics.averageCharWidth);
    }
    const bool scrolled = model_.SetMetrics(metrics);
    UpdateScrollBars();
    if (hasCaret_) {
        DestroyCaret();
        CreateCaret(Handle(), nullptr, 1, metrics.lineHeight);
        ShowCaret(Handle());
    }
    UpdateCaret();
    if (redraw || scrolled)
        Invalidate();
}

void TMemo::UpdateScrollBars() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    const int bars[] = {SB_VERT, SB_HORZ};
    for (const int bar : bars) {
        const auto range = bar == SB_VERT ? model_.VerticalRange() : model_.HorizontalRange();
        info.nMax = range.max;
        info.nPage = static_cast<UINT>(range.page);
        info.nPos = range.position;
        SetScrollInfo(Handle(), bar, &info, TRUE);
    }
}

void TMemo::UpdateCaret() {
    if (!hasCaret_)
        return;
    const auto at = model_.CaretPoint();
    SetCaretPos(at.x, at.y);
}

void TMemo::OnScroll(int bar, WORD code) {
    const auto command = Lookup(kScrollCodes, code);
    if (!command)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(Handle(), bar, &info);
    if (model_.Scroll(bar == SB_VERT, *command, info.nTrackPos))
        Refresh();
}

void TMemo::OnWheel(int delta) {
    UINT linesPerNotch = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
    const int lines = linesPerNotch == WHEEL_PAGESCROLL ? -1 : static_cast<int>(linesPerNotch);
    if (model_.Wheel(delta, lines))
        Refresh();
}

// ---------------------------------------------------------------- keyboard and mouse

void TMemo::OnKeyDown(WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (const auto caretKey = Lookup(kCaretKeys, key)) {
        model_.MoveCaret(*caretKey, ctrl, shift);
        Refresh();
    } else if (key == VK_DELETE && shift) {
        CutToClipboard();
        model_.ScrollCaretIntoView();
        Refresh();
    } else if (key == VK_DELETE) {
        Apply(model_.DeleteForward());
    } else if (key == VK_INSERT && ctrl) {
        CopyToClipboard();
    } else if (key == VK_INSERT && shift) {
        PasteFromClipboard();
    }
}

void TMemo::OnChar(char ch) {
    switch (ch) {
    case '\x01': // Ctrl+A
        return SelectAll();
    case '\x03': // Ctrl+C
        return CopyToClipboard();
    case '\x16': // Ctrl+V
        return PasteFromClipboard();
    case '\x18': // Ctrl+X
        return CutToClipboard();
    case '\x1A': // Ctrl+Z
        return Undo();
    case '\b':
        return Apply(model_.DeleteBackward());
    case '\r':
    case '\n':
        return Apply(model_.Type("\r\n"));
    default:
        if (!TMemoModel::Typeable(ch))
            return;
        const char typed = ch == '\t' ? ch : ThroughOemCharset(ch);
        return Apply(model_.Type(std::string_view(&typed, 1)));
    }
}

void TMemo::OnMouseDown(int x, int y, bool extend) {
    SetFocus();
    model_.MoveCaretTo(model_.PositionAt(x, y), extend);
    Refresh();
    dragging_ = true;
    SetCapture(Handle());
    SetTimer(Handle(), kDragScrollTimer, kDragScrollInterval, nullptr);
}

void TMemo::OnDragTimer() {
    // Held outside the window while selecting: the text keeps scrolling towards the pointer.
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(Handle(), &at);
    RECT client;
    GetClientRect(Handle(), &client);
    if (!PtInRect(&client, at))
        DragTo(at.x, at.y);
}

void TMemo::DragTo(int x, int y) {
    model_.MoveCaretTo(model_.PositionAt(x, y), true);
    Refresh();
}

void TMemo::ShowContextMenu(int x, int y) {
    const MenuHandle menu(CreatePopupMenu());
    if (!menu)
        return;
    const bool selection = SelLength() > 0;
    const struct {
        UINT command;
        const char* text;
        bool enabled;
    } items[] = {{WM_UNDO, "&Undo", CanUndo()},
                 {0, nullptr, false},
                 {WM_CUT, "Cu&t", selection},
                 {WM_COPY, "&Copy", selection},
                 {WM_PASTE, "&Paste", clipbrd::HasText()},
                 {WM_CLEAR, "&Delete", selection},
                 {0, nullptr, false},
                 {EM_SETSEL, "Select &All", !model_.Text().empty()}};
    for (const auto& item : items)
        AppendMenuA(menu.get(), item.text ? MF_STRING | (item.enabled ? 0 : MF_GRAYED) : MF_SEPARATOR,
                    item.command, item.text);
    if (x == -1 && y == -1) {
        // Opened from the keyboard: at the caret.
        POINT at{};
        GetCaretPos(&at);
        ClientToScreen(Handle(), &at);
        x = at.x;
        y = at.y + model_.Metrics().lineHeight;
    }
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, Handle(), nullptr));
    // Each command is the message that does the same, but Delete also brings the caret into view.
    if (command == WM_CLEAR)
        DeleteSelection(true);
    else if (command == EM_SETSEL)
        SelectAll();
    else if (command != 0)
        WndProc(command, 0, 0);
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
    const COLORREF textColor = Enabled() ? ColorToRGB(Font().Desc().color) : GetSysColor(COLOR_GRAYTEXT);
    for (int line = model_.TopLine(); line <= model_.LastVisibleLine(); ++line)
        PaintLine(memory.get(), line, textColor);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void TMemo::PaintLine(HDC dc, int line, COLORREF textColor) {
    const TMemoModel::TLineLayout layout = model_.LayOut(line);
    const int y = model_.LineTop(line);
    const int height = model_.Metrics().lineHeight;
    const std::optional<TLineMark> mark = LineMark ? LineMark(line) : std::nullopt;
    if (mark)
        FillSolid(dc, {0, y, ClientWidth(), y + height}, mark->band);
    for (const auto& run : layout.runs) {
        if (run.selected) {
            RECT band{run.x, y, run.x + run.width, y + height};
            FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, mark ? mark->text : textColor);
        }
        ExtTextOutA(dc, run.x, y, 0, nullptr, layout.glyphs.data() + run.first,
                    static_cast<UINT>(run.last - run.first), layout.advances.data() + run.first);
    }
}

// ---------------------------------------------------------------- messages

LRESULT TMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    std::optional<LRESULT> result;
    for (auto handler : {&TMemo::TextMessage, &TMemo::LineMessage, &TMemo::EditMessage, &TMemo::MouseMessage,
                         &TMemo::WindowMessage})
        if (!result)
            result = (this->*handler)(msg, wParam, lParam);
    return result ? *result : TWinControl::WndProc(msg, wParam, lParam);
}

std::optional<LRESULT> TMemo::TextMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETTEXT:
        SetText(lParam ? std::string(reinterpret_cast<const char*>(lParam)) : std::string());
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(model_.Text().size());
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        const std::size_t count = std::min<std::size_t>(model_.Text().size(), wParam - 1);
        auto* target = reinterpret_cast<char*>(lParam);
        std::memcpy(target, model_.Text().data(), count);
        target[count] = '\0';
        return static_cast<LRESULT>(count);
    }
    case EM_GETLINECOUNT:
        return LineCount();
    case EM_GETLINE: {
        const auto line = static_cast<int>(wParam);
        auto* target = reinterpret_cast<char*>(lParam);
        if (!target || line < 0 || line >= LineCount())
            return 0;
        WORD capacity;
        std::memcpy(&capacity, target, sizeof capacity);
        const std::string_view text = model_.Line(line);
        const std::size_t count = std::min<std::size_t>(text.size(), capacity);
        std::memcpy(target, text.data(), count);
        return static_cast<LRESULT>(count);
    }
    case EM_GETMODIFY:
        return model_.Modified();
    case EM_SETMODIFY:
        model_.SetModified(wParam != 0);
        return 0;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> TMemo::LineMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case EM_LINEINDEX: {
        const auto start = model_.LineIndex(static_cast<int>(wParam));
        return start ? static_cast<LRESULT>(*start) : -1;
    }
    case EM_LINEFROMCHAR:
        return model_.LineFromChar(static_cast<int>(wParam));
    case EM_LINELENGTH:
        return static_cast<LRESULT>(model_.LineLength(static_cast<int>(wParam)));
    case EM_GETFIRSTVISIBLELINE:
        return model_.TopLine();
    case EM_POSFROMCHAR: {
        const auto at = model_.PointOf(static_cast<std::size_t>(wParam));
        return at ? MAKELRESULT(static_cast<WORD>(at->x), static_cast<WORD>(at->y)) : -1;
    }
    case EM_CHARFROMPOS: {
        const std::size_t position = model_.PositionAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return MAKELRESULT(static_cast<WORD>(position), static_cast<WORD>(model_.Buffer().LineOf(position)));
    }
    case EM_LINESCROLL:
        if (model_.ScrollBy(static_cast<int>(lParam), static_cast<int>(wParam)))
            Refresh();
        return TRUE;
    case EM_SCROLLCARET:
        model_.ScrollCaretIntoView();
        Refresh();
        return TRUE;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> TMemo::EditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case EM_GETSEL: {
        const DWORD start = static_cast<DWORD>(SelStart());
        const DWORD end = static_cast<DWORD>(SelStart() + SelLength());
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = end;
        return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL:
        model_.SelectRange(static_cast<int>(wParam), static_cast<int>(lParam));
        Refresh();
        return 0;
    case EM_REPLACESEL:
        ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : "", wParam != 0);
        return 0;
    case EM_CANUNDO:
        return CanUndo();
    case EM_UNDO:
    case WM_UNDO:
        Undo();
        return TRUE;
    case EM_EMPTYUNDOBUFFER:
        model_.ForgetUndo();
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
        DeleteSelection(false);
        return 0;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> TMemo::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnMouseDown(x, y, (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_LBUTTONDBLCLK:
        model_.SelectWordAt(x, y);
        Refresh();
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_)
            DragTo(x, y);
        return 0;
    case WM_TIMER:
        if (wParam == kDragScrollTimer && dragging_)
            OnDragTimer();
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
        ShowContextMenu(x, y);
        return 0;
    case WM_MOUSEWHEEL:
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> TMemo::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFONT:
        OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_SIZE:
        TWinControl::WndProc(msg, wParam, lParam);
        model_.SetViewSize(ClientWidth(), ClientHeight());
        Refresh();
        return 0;
    case WM_SETFOCUS:
        CreateCaret(Handle(), nullptr, 1, model_.Metrics().lineHeight);
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
    case WM_HSCROLL:
        OnScroll(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        OnChar(static_cast<char>(wParam));
        return 0;
    default:
        return std::nullopt;
    }
}
