#pragma once
// The process launcher: starts a program with a command line, a window state and a priority class,
// and optionally waits for its end while the calling thread keeps handling its window messages.
#include "app/launch/appexec_core.h"
#include "base/Component.h"
#include "win/Handles.h"

class TAppExec : public TComponent {
  public:
    explicit TAppExec(TComponent* owner);
    std::string ClassName() const override { return "TAppExec"; }

    bool ChangeDir() const { return changeDir_; }
    void SetChangeDir(bool value) { changeDir_ = value; }
    std::int32_t ErrNo() const { return errNo_; }
    const std::string& ExeName() const { return exeName_; }
    void SetExeName(std::string name) { exeName_ = std::move(name); }
    const TStringList& ExeParams() const { return exeParams_; }
    void SetExeParams(const TStringList& params) { exeParams_ = params; }
    const std::string& ExePath() const { return exePath_; }
    void SetExePath(const std::string& path);
    appexec::TLangType LangType() const { return langType_; }
    void SetLangType(appexec::TLangType language);
    appexec::TPriorClass PriorityClass() const { return priorityClass_; }
    void SetPriorityClass(appexec::TPriorClass priority) { priorityClass_ = priority; }
    bool Wait() const { return wait_; }
    void SetWait(bool wait) { wait_ = wait; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);

    // The message-table text for the current ErrNo.
    std::string ErrorText() const { return appexec::ErrorText(errNo_); }

    // Starts the program; with Wait on, returns once it has ended. Raises EAppExecChDir or
    // EAppExecWinExec.
    void Launch();

    // When set, a waited launch stops waiting as soon as the program is asked to end, and leaves the
    // started program running.
    void SetStopWaitingOnTerminate(bool stop) { stopWaitingOnTerminate_ = stop; }

  private:
    void WaitForEnd(HANDLE process);
    // ErrNo := the process's exit code; raises the launcher's error when it cannot be read.
    void ReadExitCode(HANDLE process);

    bool changeDir_ = true;
    std::int32_t errNo_ = 32;
    std::string exeName_;
    TStringList exeParams_;
    std::string exePath_;
    appexec::TLangType langType_ = appexec::TLangType::ltFrench;
    appexec::TPriorClass priorityClass_ = appexec::TPriorClass::pcNormal;
    bool wait_ = false;
    TWindowState windowState_ = TWindowState::wsNormal;
    int showCommand_ = SW_SHOWNORMAL;
    bool stopWaitingOnTerminate_ = false;
    KernelHandle process_;
};
