#include "win/Forms.h"

#include "base/ScopeExit.h"
#include "base/SysUtils.h"
#include "win/Files.h"
#include "win/Help_core.h"
#include "win/Library.h"

#include <commctrl.h>

TApplication* Application = nullptr;

namespace {
const char* const kFormClass = "TnwkForm";

DWORD StyleFor(TBorderStyle border, bool minimizeBox, bool maximizeBox) {
    switch (border) {
    case TBorderStyle::bsDialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
    case TBorderStyle::bsSingle:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
               (minimizeBox ? WS_MINIMIZEBOX : 0) | (maximizeBox ? WS_MAXIMIZEBOX : 0);
    case TBorderStyle::bsSizeable:
    default:
        return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    }
}

DWORD ExStyleFor(TBorderStyle border) {
    return border == TBorderStyle::bsDialog ? WS_EX_DLGMODALFRAME : 0;
}

// The enumeration callbacks let no exception unwind through the system: a failure goes to the
// default handler and ends the enumeration.
BOOL CALLBACK HideOwnWindow(HWND wnd, LPARAM) noexcept {
    if (TWinControl::FromHandle(wnd))
        ShowWindow(wnd, SW_HIDE);
    return TRUE;
}

BOOL CALLBACK OfferDialogChar(HWND wnd, LPARAM param) noexcept {
    auto* request = reinterpret_cast<std::pair<char, bool>*>(param);
    if (request->second)
        return FALSE;
    try {
        if (TWinControl* control = TWinControl::FromHandle(wnd))
            if (IsWindowVisible(wnd) && control->DialogChar(request->first))
                request->second = true;
    } catch (...) {
        // The control took the character; what its handler raised is shown.
        request->second = true;
        ShowCurrentException();
    }
    return request->second ? FALSE : TRUE;
}
} // namespace

ThreadWindowsDisabler::ThreadWindowsDisabler(HWND except) : except_(except) {
    EnumThreadWindows(GetCurrentThreadId(), &ThreadWindowsDisabler::Collect, reinterpret_cast<LPARAM>(this));
    for (HWND wnd : windows_)
        EnableWindow(wnd, FALSE);
}

ThreadWindowsDisabler::~ThreadWindowsDisabler() {
    for (HWND wnd : windows_)
        if (IsWindow(wnd))
            EnableWindow(wnd, TRUE);
}

BOOL CALLBACK ThreadWindowsDisabler::Collect(HWND wnd, LPARAM self) noexcept {
    auto* me = reinterpret_cast<ThreadWindowsDisabler*>(self);
    try {
        if (wnd != me->except_ && IsWindowVisible(wnd) && IsWindowEnabled(wnd))
            me->windows_.push_back(wnd);
    } catch (...) {
        ShowCurrentException();
        return FALSE;
    }
    return TRUE;
}

ModalScope::ModalScope(HWND owner) : active_(GetActiveWindow()) {
    // A box is activated (its button focused) before it shows and takes the foreground only as it
    // shows; a window already active when its program comes to the front gets no second WM_NCACTIVATE
    // under Wine and keeps an unlit caption. A box coming up while no window of the program is in front
    // (a compile named on the command line, before the main window shows) brings the program forward
    // through its owner first, so that the box is activated as the foreground window.
    if (owner && GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != GetCurrentThreadId())
        SetForegroundWindow(owner);
    disabled_.emplace(owner);
}

ModalScope::~ModalScope() {
    disabled_.reset();
    if (active_ && IsWindow(active_) && GetActiveWindow() != active_)
        SetActiveWindow(active_);
}

int ApplicationMessageBox(const std::string& text, const std::string& caption, UINT style) {
    // Owned by the active window, or by the main window when none of ours is active, so that the box
    // belongs to the program and stays above it.
    HWND owner = GetActiveWindow();
    if (!owner && Application)
        owner = Application->Handle();
    const ModalScope modal(owner);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

TForm::TForm(TComponent* owner) : TWinControl(owner, nullptr) {
    RegisterLibraryClass(kFormClass, IDC_ARROW, MAKEINTRESOURCEA(1));
    SetVisible(false);
    TCreateParams params;
    params.className = kFormClass;
    params.style = StyleFor(borderStyle_, true, true);
    if (Application && Application->MainForm() && Application->MainForm() != this)
        params.ownerWnd = Application->MainForm()->Handle();
    CreateHandle(params);
}

TForm::~TForm() {
    DestroyForm();
}

void TForm::DestroyForm() {
    if (destroying_)
        return;
    destroying_ = true;
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            ShowCurrentException();
        }
    }
    DestroyComponents();
    toolTip_.reset();
}

void TForm::SetBorderStyle(TBorderStyle style, bool minimizeBox, bool maximizeBox) {
    borderStyle_ = style;
    const DWORD visible = IsWindowVisible(Handle()) ? WS_VISIBLE : 0;
    SetWindowLongPtrA(Handle(), GWL_STYLE,
                      static_cast<LONG_PTR>(StyleFor(style, minimizeBox, maximizeBox) | visible));
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(ExStyleFor(style)));
    if (style == TBorderStyle::bsDialog) {
        // A dialog frame shows no icon in its caption.
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, 0);
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, 0);
    }
    // Without SWP_NOACTIVATE a hidden window would be activated, which also sets up the input method long
    // before anything shows.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::EnsureControls() {
    if (controlsCreated_)
        return;
    controlsCreated_ = true;
    CreateControls();
}

void TForm::SetClientSize(int width, int height) {
    RECT rc{0, 0, width, height};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    SetBounds(Left(), Top(), rc.right - rc.left, rc.bottom - rc.top);
}

TForm* GetParentForm(const TWinControl* control) {
    for (const TWinControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<const TForm*>(c))
            return const_cast<TForm*>(form);
    return nullptr;
}

HWND TForm::HintWindow() {
    if (!toolTip_) {
        // The common controls are loaded with the first tool tip, not at start-up.
        static const bool commonControls = [] {
            INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
            return syslib::InitCommonControlsEx(&icc) != FALSE;
        }();
        if (!commonControls)
            return nullptr;
        toolTip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                                       nullptr, GetModuleHandleA(nullptr), nullptr));
    }
    return toolTip_.get();
}

void TForm::ApplyPositionOnFirstShow() {
    if (positioned_)
        return;
    positioned_ = true;
    if (position_ == TPosition::poScreenCenter) {
        const int screenW = GetSystemMetrics(SM_CXSCREEN);
        const int screenH = GetSystemMetrics(SM_CYSCREEN);
        SetBounds((screenW - Width()) / 2, (screenH - Height()) / 2, Width(), Height());
    }
}

void TForm::RunShowHandler() {
    if (!OnShow)
        return;
    try {
        OnShow(this);
    } catch (...) {
        // A window whose show handling failed still shows.
        ShowCurrentException();
    }
}

bool TForm::Showing() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void TForm::Show() {
    if (Showing()) {
        if (IsIconic(Handle()))
            ShowWindow(Handle(), SW_RESTORE);
        SetForegroundWindow(Handle());
        BringWindowToTop(Handle());
        return;
    }
    EnsureControls();
    // The show handlers run before the window appears; a stored placement they apply replaces the
    // centring of the first show.
    visible_ = true;
    HWND activeBefore = GetActiveWindow();
    RunShowHandler();
    // A show handler may bring up another window of the program (a compile named on the command line
    // shows the output window): that one keeps the front and the activation.
    HWND shownByHandler = GetActiveWindow();
    if (shownByHandler == activeBefore || shownByHandler == Handle() || !IsWindowVisible(shownByHandler))
        shownByHandler = nullptr;
    ApplyPositionOnFirstShow();
    switch (windowState_) {
    case TWindowState::wsMaximized:
        ShowWindow(Handle(), SW_SHOWMAXIMIZED);
        break;
    case TWindowState::wsMinimized:
        ShowWindow(Handle(), SW_SHOWMINIMIZED);
        break;
    case TWindowState::wsNormal:
    default:
        ShowWindow(Handle(), SW_SHOWNORMAL);
        break;
    }
    if (shownByHandler) {
        SetForegroundWindow(shownByHandler);
        BringWindowToTop(shownByHandler);
        return;
    }
    SetForegroundWindow(Handle());
    // The activation gives the focus to the window itself: the keys go to its first control.
    HWND focus = GetFocus();
    if (!focus || focus == Handle() || GetAncestor(focus, GA_ROOT) != Handle()) {
        HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE);
        if (first)
            ::SetFocus(first);
    }
}

void TForm::Hide() {
    TWinControl::SetVisible(false);
    ShowWindow(Handle(), SW_HIDE);
}

int TForm::ShowModal() {
    if (Showing() || modal_)
        throw Exception("Cannot make a visible window modal");
    HWND previousActive = GetActiveWindow();
    modalResult_ = mrNone;
    modal_ = true;
    {
        std::optional<ThreadWindowsDisabler> disabled(std::in_place, Handle());
        // The other windows are enabled again before this one hides, so that the activation passes to
        // one of them and not to another program.
        const TScopeExit close([&] {
            modal_ = false;
            disabled.reset();
            Hide();
        });
        RunModalLoop();
    }
    if (previousActive && IsWindow(previousActive))
        SetActiveWindow(previousActive);
    return modalResult_;
}

void TForm::RunModalLoop() {
    Show();
    while (true) {
        Application->WaitForMessageOr(nullptr);
        if (Application->Terminated() && modalResult_ == mrNone)
            modalResult_ = mrCancel;
        if (modalResult_ == mrNone)
            continue;
        // Closing a modal window asks first; a refused close goes on with the window.
        bool canClose = true;
        if (OnCloseQuery)
            OnCloseQuery(this, canClose);
        TCloseAction action = TCloseAction::caHide;
        if (canClose && OnClose)
            OnClose(this, action);
        if ((canClose && action != TCloseAction::caNone) || Application->Terminated())
            return;
        modalResult_ = mrNone;
    }
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (!canClose)
        return;
    const bool isMain = Application && Application->MainForm() == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose)
        OnClose(this, action);
    switch (action) {
    case TCloseAction::caNone:
        return;
    case TCloseAction::caMinimize:
        ShowWindow(Handle(), SW_MINIMIZE);
        return;
    case TCloseAction::caHide:
        Hide();
        return;
    case TCloseAction::caFree:
        if (isMain) {
            // Closing the main window ends the program: every window goes out of sight at once.
            EnumThreadWindows(GetCurrentThreadId(), &HideOwnWindow, 0);
            Application->Terminate();
        } else {
            Hide();
        }
        return;
    }
}

TWindowState TForm::WindowState() const {
    if (Showing()) {
        if (IsZoomed(Handle()))
            return TWindowState::wsMaximized;
        if (IsIconic(Handle()))
            return TWindowState::wsMinimized;
        return TWindowState::wsNormal;
    }
    return windowState_;
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!Showing())
        return;
    ShowWindow(Handle(), state == TWindowState::wsMaximized   ? SW_MAXIMIZE
                         : state == TWindowState::wsMinimized ? SW_MINIMIZE
                                                              : SW_RESTORE);
}

void TForm::SaveFocus() {
    HWND focus = GetFocus();
    if (focus && focus != Handle() && IsChild(Handle(), focus))
        savedFocus_ = focus;
}

bool TForm::RestoreFocus() {
    if (!savedFocus_ || !IsChild(Handle(), savedFocus_) || !IsWindowVisible(savedFocus_) ||
        !IsWindowEnabled(savedFocus_))
        return false;
    ::SetFocus(savedFocus_);
    return true;
}

TWinControl* TForm::ActiveControl() const {
    HWND focus = GetFocus();
    if (!focus || GetAncestor(focus, GA_ROOT) != Handle())
        return nullptr;
    return FromHandle(focus);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            SaveFocus();
        else if (!HIWORD(wParam) && RestoreFocus())
            return 0;
        break;
    case DM_GETDEFID:
        if (defaultButton_ && defaultButton_->Enabled())
            return MAKELRESULT(defaultButton_->ControlId(), DC_HASDEFID);
        return 0;
    case WM_COMMAND:
        if (lParam == 0 && LOWORD(wParam) == IDOK && defaultButton_ && defaultButton_->Enabled()) {
            SendMessageA(defaultButton_->Handle(), BM_CLICK, 0, 0);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam != 0) {
            // Alt+letter with no control taking it: no menu bar to open, no beep.
            return 0;
        }
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

TApplication::TApplication() : TComponent(nullptr) {
    Application = this;
    SetUnhandledExceptionHandler([this](const std::exception& e) { HandleException(e); });
}

TApplication::~TApplication() {
    DestroyComponents();
    if (!helpFile_.empty() && mainForm_)
        WinHelpA(nullptr, helpFile_.c_str(), HELP_QUIT, 0);
    SetUnhandledExceptionHandler({});
    Application = nullptr;
}

HWND TApplication::Handle() const {
    return mainForm_ ? mainForm_->Handle() : nullptr;
}

void TApplication::HelpContext(int context) {
    const help::HelpRequest request = help::RouteHelp(helpFile_, FileExists(helpFile_), context);
    switch (request.route) {
    case help::HelpRoute::WinHelp:
        WinHelpA(Handle(), request.file.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(request.context));
        break;
    case help::HelpRoute::HtmlPage: {
        // The shell opens the page with the user's browser; a result up to 32 is an error code.
        const auto result = reinterpret_cast<INT_PTR>(
            syslib::ShellExecuteA(Handle(), "open", request.file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (result <= 32)
            throw Exception("Cannot open the help page " + request.file);
        break;
    }
    case help::HelpRoute::None:
        break;
    }
}

void TApplication::HandleException(const std::exception& e) {
    ApplicationMessageBox(rtl::MessageWithPeriod(rtl::ExceptionText(e)), title_, MB_OK | MB_ICONERROR);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(root));
    if (form) {
        bool offer = msg.message == WM_SYSCHAR;
        if (msg.message == WM_CHAR && msg.hwnd) {
            const LRESULT code =
                SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
            offer = (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_HASSETSEL)) == 0 && msg.wParam > ' ';
        }
        if (offer) {
            std::pair<char, bool> request{static_cast<char>(msg.wParam), false};
            EnumChildWindows(root, &OfferDialogChar, reinterpret_cast<LPARAM>(&request));
            if (request.second)
                return true;
        }
        if (IsDialogMessageA(root, &msg))
            return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

bool TApplication::WaitForMessageOr(HANDLE waitHandle) {
    const DWORD count = waitHandle ? 1 : 0;
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, waitHandle ? &waitHandle : nullptr, INFINITE,
                                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (waitHandle && woken == WAIT_OBJECT_0)
        return true;
    // One message per wake: the wait returns at once while more are queued, and asking an empty queue
    // costs a round trip to the window server under Wine, on every tick of a timer.
    MSG msg;
    ProcessMessage(msg);
    return false;
}

void TApplication::Run() {
    if (mainForm_)
        mainForm_->Show();
    // The windows that start hidden make their controls one at a time whenever no message waits, so the
    // main window paints and answers first.
    while (!terminated_) {
        ProcessMessages();
        if (!terminated_ && !CreateWaitingControls())
            WaitForMessageOr(nullptr);
    }
    // Every window ends as it would have with its controls made at once.
    while (CreateWaitingControls()) {
    }
}

bool TApplication::CreateWaitingControls() {
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* form = dynamic_cast<TForm*>(Components(i));
        if (form && !form->ControlsCreated()) {
            form->EnsureControls();
            return true;
        }
    }
    return false;
}

void TApplication::Terminate() {
    if (!terminated_)
        PostQuitMessage(0);
}

namespace {
BOOL CALLBACK CollectTopMost(HWND wnd, LPARAM list) noexcept {
    try {
        if (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST)
            reinterpret_cast<std::vector<TopMostWindow>*>(list)->push_back(
                {wnd, GetWindowLongPtrA(wnd, GWL_STYLE)});
    } catch (...) {
        ShowCurrentException();
        return FALSE;
    }
    return TRUE;
}

bool IsToolTip(HWND wnd) {
    char name[32] = {};
    GetClassNameA(wnd, name, sizeof name);
    return lstrcmpiA(name, TOOLTIPS_CLASSA) == 0;
}
} // namespace

void TApplication::NormalizeTopMosts() {
    if (topMostLevel_++ > 0)
        return;
    topMosts_.clear();
    EnumThreadWindows(GetCurrentThreadId(), &CollectTopMost, reinterpret_cast<LPARAM>(&topMosts_));
    for (const TopMostWindow& topMost : topMosts_) {
        if (IsToolTip(topMost.wnd)) {
            // A tip that shows only while its tool's window is active stays away while the drop-down
            // has the activation, also when its delay began before (with the press that dropped it).
            SendMessageA(topMost.wnd, TTM_ACTIVATE, FALSE, 0);
            SetWindowLongPtrA(topMost.wnd, GWL_STYLE, topMost.style & ~static_cast<LONG_PTR>(TTS_ALWAYSTIP));
        }
        SetWindowPos(topMost.wnd, HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void TApplication::RestoreTopMosts() {
    if (topMostLevel_ == 0 || --topMostLevel_ > 0)
        return;
    for (const TopMostWindow& topMost : topMosts_) {
        if (!IsWindow(topMost.wnd))
            continue;
        SetWindowPos(topMost.wnd, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        if (IsToolTip(topMost.wnd)) {
            SetWindowLongPtrA(topMost.wnd, GWL_STYLE, topMost.style);
            SendMessageA(topMost.wnd, TTM_ACTIVATE, TRUE, 0);
        }
    }
    topMosts_.clear();
}

void TApplication::Minimize() {
    if (mainForm_)
        ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}
