#include "controls/ToolEdit.h"

#include "base/ScopeExit.h"
#include "base/SysUtils.h"
#include "win/Files.h"
#include "win/Forms.h"
#include "win/Library.h"

namespace {
// The default glyph of every file name edit, loaded once when first needed.
HBITMAP DefaultGlyph() {
    static BitmapHandle glyph = LoadBitmapResource("FEDITBMP");
    return glyph.get();
}

tooledit::KeyShift CurrentShift() {
    tooledit::KeyShift shift;
    shift.shift = GetKeyState(VK_SHIFT) < 0;
    shift.ctrl = GetKeyState(VK_CONTROL) < 0;
    shift.alt = GetKeyState(VK_MENU) < 0;
    return shift;
}
} // namespace

// ---------------------------------------------------------------- TEditButton

TEditButton::TEditButton(TComponent* owner, TFilenameEdit* edit) : TWinControl(owner, edit), edit_(edit) {
    SetOwnerPainted(true);
    SetBounds(0, 0, tooledit::kDefaultButtonWidth, tooledit::kDefaultButtonHeight);
    TCreateParams params;
    CreateHandle(params);
}

void TEditButton::SetGlyph(HBITMAP glyph, int numGlyphs) {
    glyph_ = glyph;
    numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs;
    Invalidate();
}

LRESULT TEditButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!IsWindowEnabled(Handle()))
            return 0;
        // A press on the button first gives the edit the focus.
        if (edit_->TabStop() && edit_->CanFocus() && !edit_->Focused())
            edit_->SetFocus();
        pressed_ = tracking_ = true;
        SetCapture(Handle());
        Invalidate();
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT rc;
            GetClientRect(Handle(), &rc);
            const bool inside = PtInRect(&rc, pt) != FALSE;
            if (inside != pressed_) {
                pressed_ = inside;
                Invalidate();
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (tracking_) {
            const bool click = pressed_;
            tracking_ = pressed_ = false;
            ReleaseCapture();
            Invalidate();
            if (click)
                edit_->ButtonClick();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (tracking_) {
            tracking_ = pressed_ = false;
            Invalidate();
        }
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

void TEditButton::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
    if (glyph_) {
        BITMAP info{};
        GetObjectA(glyph_, sizeof info, &info);
        const int width = info.bmWidth / numGlyphs_;
        const int shift = pressed_ ? 1 : 0;
        const int x = (rc.right - width) / 2 + shift;
        const int y = (rc.bottom - info.bmHeight) / 2 + shift;
        if (enabled) {
            DrawTransparentBitmap(dc, glyph_, 0, 0, width, info.bmHeight, x, y);
        } else {
            DrawDisabledBitmap(dc, glyph_, 0, 0, width, info.bmHeight, x, y);
        }
    }
    if (!pressed_) {
        // Two lines at the left edge set the button off from the edit's text.
        PenHandle face(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
        PenHandle light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
        {
            SelectionScope pen(dc, face.get());
            MoveToEx(dc, 0, 0, nullptr);
            LineTo(dc, 0, rc.bottom);
        }
        SelectionScope pen(dc, light.get());
        MoveToEx(dc, 1, 1, nullptr);
        LineTo(dc, 1, rc.bottom - 1);
    }
}

// ---------------------------------------------------------------- TFilenameEdit

TFilenameEdit::TFilenameEdit(TComponent* owner, TWinControl* parent, const Settings& settings)
    : TWinControl(owner, parent), filter_(settings.filter), dialogTitle_(settings.dialogTitle),
      charCase_(settings.charCase), buttonWidth_(settings.buttonWidth) {
    SetBounds(settings.bounds.left, settings.bounds.top, settings.bounds.width, settings.bounds.height);
    SetTabStop(true);
    SetColor(clWindow);
    TCreateParams params;
    params.className = "EDIT";
    // Multi-line at the platform level, so that the formatting rectangle can keep the text clear of
    // the button; OEM conversion as file names need.
    params.style |= ES_MULTILINE | ES_AUTOHSCROLL | ES_OEMCONVERT | WS_CLIPCHILDREN;
    if (charCase_ == TEditCharCase::ecLowerCase)
        params.style |= ES_LOWERCASE;
    else if (charCase_ == TEditCharCase::ecUpperCase)
        params.style |= ES_UPPERCASE;
    params.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(params);
    button_ = new TEditButton(owner, this);
    HBITMAP glyph = DefaultGlyph();
    if (glyph) {
        BITMAP info{};
        GetObjectA(glyph, sizeof info, &info);
        buttonWidth_ = tooledit::DefaultGlyphButtonWidth(info.bmWidth, 1, buttonWidth_);
        if (settings.buttonWidth != tooledit::kDefaultButtonWidth)
            buttonWidth_ = settings.buttonWidth;
    }
    button_->SetGlyph(glyph, 1);
    LayoutButton();
    SetAcceptFiles(settings.acceptFiles);
}

void TFilenameEdit::LayoutButton() {
    const tooledit::Placement place =
        tooledit::ButtonContainerPlacement(Width(), Height(), buttonWidth_, true, true, true);
    button_->SetBounds(place.left, place.top, place.width, place.height);
    button_->SetVisible(buttonWidth_ > 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const TRect fmt = tooledit::FormattingRect(client.right, client.bottom, place.width);
    RECT rc{fmt.left, fmt.top, fmt.right, fmt.bottom};
    SendMessageA(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rc));
}

void TFilenameEdit::SetButtonWidth(int width) {
    buttonWidth_ = width < 0 ? 0 : width;
    LayoutButton();
}

void TFilenameEdit::SetEnabled(bool enabled) {
    TWinControl::SetEnabled(enabled);
    button_->SetEnabled(enabled);
}

void TFilenameEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    SendMessageA(Handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TFilenameEdit::SetAcceptFiles(bool accept) {
    acceptFiles_ = accept;
    // The style the shell's DragAcceptFiles sets, without loading the shell library at start-up.
    const LONG_PTR exStyle = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE,
                      accept ? exStyle | WS_EX_ACCEPTFILES : exStyle & ~WS_EX_ACCEPTFILES);
}

const TClassDesc& TFilenameEdit::PublishedClass() const {
    using E = TFilenameEdit;
    static const TClassDesc desc("TFilenameEdit", nullptr,
                                 {published::String<E>(
                                      "FileName", [](const E& e) { return e.FileName(); },
                                      [](E& e, const std::string& v) { e.SetFileName(v); }),
                                  published::String<E>(
                                      "InitialDir", [](const E& e) { return e.InitialDir(); },
                                      [](E& e, const std::string& v) { e.SetInitialDir(v); })});
    return desc;
}

std::string TFilenameEdit::Text() const {
    return Caption();
}

void TFilenameEdit::SetText(const std::string& text) {
    std::string shown = text;
    if (charCase_ == TEditCharCase::ecLowerCase)
        shown = rtl::LowerCase(shown);
    else if (charCase_ == TEditCharCase::ecUpperCase)
        shown = rtl::UpperCase(shown);
    if (shown == Text())
        return;
    SetCaption(shown);
    // A multi-line edit control reports no change for text set by program.
    if (OnChange)
        OnChange(this);
}

std::string TFilenameEdit::FileName() const {
    return tooledit::NameFromText(Text(), FileExists);
}

void TFilenameEdit::SetFileName(const std::string& name) {
    SetText(tooledit::TextForFileName(name, FileExists));
    dropped_.clear();
}

void TFilenameEdit::CommandNotify(WORD code) {
    if (code == EN_CHANGE && OnChange)
        OnChange(this);
}

HBRUSH TFilenameEdit::CtlColor(HDC dc) {
    TColor text = Font().Desc().color;
    if (!Enabled() && Color() != clGrayText)
        text = clGrayText;
    SetTextColor(dc, ColorToRGB(text));
    SetBkColor(dc, ColorToRGB(Color()));
    return BackgroundBrush();
}

bool TFilenameEdit::RunDialog(std::string& name) {
    std::string filter = filter_;
    for (char& c : filter)
        if (c == '|')
            c = '\0';
    filter.push_back('\0');
    filter.push_back('\0');
    std::vector<char> fileBuffer(4096, '\0');
    name.copy(fileBuffer.data(), fileBuffer.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetParentForm(this) ? GetParentForm(this)->Handle() : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = fileBuffer.data();
    ofn.nMaxFile = static_cast<DWORD>(fileBuffer.size());
    ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    ofn.lpstrTitle = dialogTitle_.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
    bool chosen;
    {
        ErrorModeScope errorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        chosen = syslib::GetOpenFileNameA(&ofn) != FALSE;
    }
    if (chosen) {
        name = fileBuffer.data();
        // The dialog may keep the current directory: the chosen file's folder becomes current, which
        // the compile job relies on.
        const std::string folder = rtl::ExtractFilePath(name);
        if (!folder.empty())
            SetCurrentDirectoryA(folder.c_str());
    }
    return chosen;
}

void TFilenameEdit::ButtonClick() {
    if (readOnly_)
        return;
    if (OnButtonClick)
        OnButtonClick(this);
    std::string name = tooledit::NameFromText(Text(), FileExists);
    bool action = true;
    if (OnBeforeDialog)
        OnBeforeDialog(this, name, action);
    if (!action)
        return;
    std::string dialogName;
    const tooledit::DialogSeed seed = tooledit::SeedDialog(name, DirectoryExists);
    if (seed.initialDir)
        initialDir_ = *seed.initialDir;
    if (seed.dialogFileName)
        dialogName = *seed.dialogFileName;
    action = RunDialog(dialogName);
    if (action)
        name = dialogName;
    if (CanFocus())
        SetFocus();
    if (OnAfterDialog)
        OnAfterDialog(this, name, action);
    if (!action)
        return;
    const tooledit::DialogOutcome outcome = tooledit::AfterDialog(name, dialogName);
    SetText(outcome.text);
    initialDir_ = outcome.initialDir;
}

void TFilenameEdit::DropFiles(HDROP drop) {
    const TScopeExit finish([drop] { syslib::DragFinish(drop); });
    const UINT count = syslib::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    if (count == 0)
        return;
    dropped_.clear();
    // Without multiple selection only the first dropped file counts. The name is fetched whole and
    // never acted on cut; a name the shell cannot give is no drop.
    const UINT length = syslib::DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0)
        return;
    std::string name(length + 1, '\0');
    if (syslib::DragQueryFileA(drop, 0, name.data(), length + 1) != length)
        return;
    name.resize(length);
    SetFileName(tooledit::DroppedName(name));
    if (OnDropFiles)
        OnDropFiles(this);
}

LRESULT TFilenameEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_GETDLGCODE: {
        // One line of text: Tab moves on and Enter reaches the window's default button.
        LRESULT code = DefaultHandler(msg, wParam, lParam);
        code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return code;
    }
    case WM_CHAR:
        if (wParam == '\r' || wParam == '\n' || wParam == '\t')
            return 0;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const LRESULT result = DefaultHandler(msg, wParam, lParam);
        if (tooledit::PressesButton(static_cast<std::uint16_t>(wParam), CurrentShift(), clickKey_,
                                    buttonWidth_)) {
            ButtonClick();
            return 0;
        }
        return result;
    }
    case WM_PASTE:
    case WM_CUT:
        if (readOnly_)
            return 0;
        break;
    case WM_PAINT: {
        // The system's edit paints over its whole client area, the button included (seen under Wine
        // once the edit takes the focus): the button is drawn again on top.
        const LRESULT result = DefaultHandler(msg, wParam, lParam);
        if (button_ && button_->Visible())
            RedrawWindow(button_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
        if (button_)
            LayoutButton();
        return result;
    }
    case WM_SETFONT: {
        const LRESULT result = DefaultHandler(msg, wParam, lParam);
        if (button_)
            LayoutButton();
        return result;
    }
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}
