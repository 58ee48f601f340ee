#include "app/launch/appexec.h"

#include "win/Forms.h"

#include <vector>

namespace {
bool IsWin32s() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32s;
}

void ProcessPendingMessages() {
    if (Application)
        Application->ProcessMessages();
}

// The started program's first window takes the activation, a minimised console's too, and leaves
// none of ours active when it ends: the window that was active before it gets it back, unless
// another of ours took it meanwhile.
void ReturnActivation(HWND active) {
    if (active && IsWindow(active) && IsWindowVisible(active) && IsWindowEnabled(active) &&
        !GetActiveWindow())
        SetForegroundWindow(active);
}
} // namespace

TAppExec::TAppExec(TComponent* owner) : TComponent(owner) {
    SetLangType(appexec::TLangType::ltFrench);
}

void TAppExec::SetExePath(const std::string& path) {
    if (path != exePath_)
        exePath_ = appexec::NormaliseExePath(path);
}

void TAppExec::SetLangType(appexec::TLangType language) {
    langType_ = language;
    appexec::LoadMessageTable(language);
}

void TAppExec::SetWindowState(TWindowState state) {
    if (state == windowState_)
        return;
    showCommand_ = appexec::ShowCommand(state);
    windowState_ = state;
}

void TAppExec::Launch() {
    const DWORD creationFlags = appexec::CreationFlags(priorityClass_);
    std::string commandLine = appexec::BuildCommandLine(exeName_, exeParams_);
    if (changeDir_ && !exePath_.empty() && !SetCurrentDirectoryA(exePath_.c_str()))
        throw EAppExecChDir("Cannot change the current directory to " + exePath_);

    errNo_ = 0;
    HWND active = GetActiveWindow();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand_);
    PROCESS_INFORMATION info{};
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr,
                        &startup, &info)) {
        errNo_ = static_cast<std::int32_t>(GetLastError());
        throw EAppExecWinExec(ErrorText());
    }
    KernelHandle thread(info.hThread);
    KernelHandle process(info.hProcess);
    if (!wait_)
        return;
    // The handle stays with this call while it waits: a launch made by a message handled during the
    // wait remembers its own process and must not close the one waited for here.
    WaitForEnd(process.get());
    process_ = std::move(process);
    ReturnActivation(active);
}

void TAppExec::ReadExitCode(HANDLE process) {
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) {
        errNo_ = static_cast<std::int32_t>(GetLastError());
        ProcessPendingMessages();
        throw EAppExecWinExec(ErrorText());
    }
    errNo_ = static_cast<std::int32_t>(exitCode);
}

void TAppExec::WaitForEnd(HANDLE process) {
    ProcessPendingMessages();
    if (IsWin32s())
        WaitForSingleObject(process, INFINITE);
    errNo_ = 0;
    ProcessPendingMessages();
    // The end is judged by the process handle being signalled, never by the exit code alone: a
    // program may itself end with code 259 (STILL_ACTIVE).
    bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ReadExitCode(process);
    // While its handle is not signalled the process reports STILL_ACTIVE, so the code is read again only
    // once it has ended, not on every message of the wait.
    while (!ended) {
        if (stopWaitingOnTerminate_ && Application && Application->Terminated())
            return;
        // Sleeps until a message arrives or the process ends; the messages are handled meanwhile.
        ended = Application ? Application->WaitForMessageOr(process)
                            : WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0;
    }
    ReadExitCode(process);
}
