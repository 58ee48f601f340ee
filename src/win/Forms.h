#pragma once
// Forms (top-level windows, created hidden) and the application: title, help file, message loop,
// message processing during waits, and the default exception handler.
#include "win/Controls.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

enum class TBorderStyle { bsSingle, bsSizeable, bsDialog };
enum class TPosition { poDesigned, poScreenCenter };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
// When a window makes its controls: at once, or (for a window that starts hidden) once the main window is
// on the screen, so that start-up does not wait for them. Showing the window, or EnsureControls, makes
// them earlier when they are needed before that.
enum class TControlsTiming { Now, AfterMainWindow };

// Every visible, enabled top-level window of this thread but one, disabled for one scope (while a
// modal window or a message box shows) and enabled again afterwards if it still exists.
class ThreadWindowsDisabler {
  public:
    explicit ThreadWindowsDisabler(HWND except = nullptr);
    ~ThreadWindowsDisabler();
    ThreadWindowsDisabler(const ThreadWindowsDisabler&) = delete;
    ThreadWindowsDisabler& operator=(const ThreadWindowsDisabler&) = delete;

  private:
    static BOOL CALLBACK Collect(HWND wnd, LPARAM self) noexcept;
    HWND except_;
    std::vector<HWND> windows_;
};

// The modal wrapper of a message box or common dialog owned by `owner`: remembers the active window,
// disables every other window of the thread for the scope and activates the remembered window again
// afterwards. The owner is left to the box, which disables it and enables it again before it goes, as
// the dialog manager does: a box closing over a disabled owner hands the activation to another program.
class ModalScope {
  public:
    explicit ModalScope(HWND owner);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    HWND active_;
    std::optional<ThreadWindowsDisabler> disabled_;
};

// A message box with every window of the program disabled while it shows (not only its owner), also
// when none of them is active.
int ApplicationMessageBox(const std::string& text, const std::string& caption, UINT style);

class TForm : public TWinControl {
  public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    std::string ClassName() const override { return "TForm"; }

    void SetBorderStyle(TBorderStyle style, bool minimizeBox = false, bool maximizeBox = false);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetClientSize(int width, int height);
    void SetPosition(TPosition position) { position_ = position; }
    TPosition Position() const { return position_; }

    // Shows the window (modeless); a window already visible only comes to the front.
    void Show();
    void Hide();
    // Shows the window modally and returns its modal result once it is closed.
    int ShowModal();
    // Asks the window to close: close query, then hide (or end the program for the main window).
    void Close();
    bool Showing() const;
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    TWinControl* ActiveControl() const;
    void SetDefaultButton(TWinControl* button) { defaultButton_ = button; }

    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);

    int PixelsPerInch() const { return 96; }

    // Makes the window's controls unless they are made already.
    void EnsureControls();
    bool ControlsCreated() const { return controlsCreated_; }

    // The window's events. A form storage wraps OnShow, OnCloseQuery and OnDestroy with its own.
    std::function<void(TComponent*)> OnShow;
    std::function<void(TComponent*, bool& canClose)> OnCloseQuery;
    std::function<void(TComponent*, TCloseAction&)> OnClose;
    std::function<void(TComponent*)> OnDestroy;

  protected:
    // The window's controls and their settings, made once by EnsureControls.
    virtual void CreateControls() {}
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int AllocateChildId() override { return nextId_++; }
    HWND HintWindow() override;
    // Runs the window's creation handler: what it raises goes to the application's default handler,
    // and the window is created all the same, so start-up goes on.
    template <class Handler> void DoCreate(Handler&& handler) noexcept {
        try {
            handler();
        } catch (...) {
            ShowCurrentException();
        }
    }
    // Derived destructors call this first, while their members still live.
    void DestroyForm();

  private:
    void ApplyPositionOnFirstShow();
    void RunShowHandler();
    void RunModalLoop();
    // The control that had the focus when the window was last deactivated gets it back when the window
    // is activated again, as in a dialog box.
    void SaveFocus();
    bool RestoreFocus();

    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    bool positioned_ = false;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool modal_ = false;
    bool destroying_ = false;
    bool controlsCreated_ = false;
    int modalResult_ = mrNone;
    int nextId_ = 100;
    WindowHandle toolTip_;
    HWND savedFocus_ = nullptr;
    TWinControl* defaultButton_ = nullptr;
};

// The form a control sits on, or nullptr.
TForm* GetParentForm(const TWinControl* control);

// A window taken out of the top-most layer, with the style it had.
struct TopMostWindow {
    HWND wnd;
    LONG_PTR style;
};

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;
    std::string ClassName() const override { return "TApplication"; }

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(std::string file) { helpFile_ = std::move(file); }
    // Opens the help file at a context number.
    void HelpContext(int context);

    // Creates a form owned by the application; the first one becomes the main window.
    template <class T, class... Args> T* CreateForm(Args... args) {
        auto* form = new T(this, args...);
        if (!mainForm_)
            mainForm_ = form;
        return form;
    }
    TForm* MainForm() const { return mainForm_; }
    HWND Handle() const;

    // Runs the message loop until the program is asked to end.
    void Run();
    // Handles every pending message and returns; a quit message ends the program after the wait.
    void ProcessMessages();
    // Sleeps until a message is queued or `waitHandle` is signalled; handles one message, or returns true
    // when `waitHandle` was signalled.
    bool WaitForMessageOr(HANDLE waitHandle);
    void Terminate();
    bool Terminated() const { return terminated_; }
    void Minimize();

    // Takes the program's top-most windows (the tool tips) out of the top-most layer while a drop-down
    // window shows, and puts them back afterwards; the calls nest. A tool tip is also kept from
    // showing meanwhile, since it puts itself back on top whenever it shows.
    void NormalizeTopMosts();
    void RestoreTopMosts();

    void HandleException(const std::exception& e);

  private:
    bool ProcessMessage(MSG& msg);
    // Makes the controls of one window that has left them for later; false when none has.
    bool CreateWaitingControls();

    std::string title_;
    std::string helpFile_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    int topMostLevel_ = 0;
    std::vector<TopMostWindow> topMosts_;
};

extern TApplication* Application;
