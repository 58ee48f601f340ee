#include "e2e/driver.h"

#include "controls/TbTlbr_core.h"
#include "win/Registry.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <thread>
#include <utility>

namespace e2e {

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        this->~Process();
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Process::~Process() {
    if (!handle_)
        return;
    if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(handle_, 1);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
}

bool Process::WaitForExit(int timeoutMs) const {
    return WaitForSingleObject(handle_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

std::string BinDir() {
    return TNWK_BIN_DIR;
}
std::string SourceDir() {
    return TNWK_SOURCE_DIR;
}
std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

namespace {
void DeleteTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(folder, "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = JoinPath(folder, name);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}
} // namespace

std::string FreshFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = JoinPath(temp, "tnwk-e2e");
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string folder = JoinPath(root, name);
    DeleteTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void CopyExample(const std::string& example, const std::string& folder) {
    const std::string source = JoinPath(JoinPath(SourceDir(), "examples"), example);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(source, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA(JoinPath(source, data.cFileName).c_str(), JoinPath(folder, data.cFileName).c_str(),
                      FALSE);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

Process StartTarnwick(const std::string& arguments, const std::string& folder,
                      const std::vector<std::string>& environment) {
    std::string commandLine = "\"" + JoinPath(BinDir(), "tnwk.exe") + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    return StartProgram(commandLine, folder, environment);
}

HWND StartToMainWindow(Process& app, const std::string& folderName, int timeoutMs) {
    app = StartTarnwick("", FreshFolder(folderName));
    return WaitForWindow(app.Id(), kMainCaption, timeoutMs);
}

Process StartProgram(const std::string& commandLine, const std::string& folder,
                     const std::vector<std::string>& environment) {
    for (const std::string& entry : environment) {
        const auto eq = entry.find('=');
        SetEnvironmentVariableA(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str());
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    const BOOL started = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.empty() ? nullptr : folder.c_str(), &startup, &info);
    for (const std::string& entry : environment)
        SetEnvironmentVariableA(entry.substr(0, entry.find('=')).c_str(), nullptr);
    if (!started)
        return {};
    CloseHandle(info.hThread);
    return Process(info.hProcess, info.dwProcessId);
}

bool RealInput(const std::string& arguments) {
    std::string command = "start.exe /wait /unix /usr/bin/xdotool " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    Process xdotool(info.hProcess, info.dwProcessId);
    if (!xdotool.WaitForExit(15000))
        return false;
    DWORD code = 1;
    GetExitCodeProcess(xdotool.Handle(), &code);
    return code == 0;
}

bool RealClickAt(int x, int y, int clicks) {
    return RealInput("mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click --repeat " +
                     std::to_string(clicks) + " --delay 80 1");
}

bool RealKeys(const std::string& keys) {
    return RealInput("key " + keys);
}

GUITHREADINFO GuiState(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string WindowText(HWND wnd) {
    // WM_GETTEXT, not GetWindowText: the latter gives only the creation caption of another process's
    // controls.
    char text[4096] = {};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &result);
    return text;
}

namespace {
struct TopSearch {
    DWORD processId;
    const std::function<bool(HWND)>* matches;
    HWND found;
};

BOOL CALLBACK FindTop(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<TopSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == search->processId && IsWindowVisible(wnd) && (*search->matches)(wnd)) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    const std::string* text;
    const std::string* className;
    std::vector<HWND>* all;
    HWND found;
};

BOOL CALLBACK FindChildProc(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    const bool classMatches =
        search->className->empty() || _stricmp(ClassOf(wnd).c_str(), search->className->c_str()) == 0;
    if (search->all) {
        if (classMatches)
            search->all->push_back(wnd);
        return TRUE;
    }
    if (classMatches && WindowText(wnd) == *search->text) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

std::string ClassOf(HWND wnd) {
    char name[256] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

HWND FindVisibleWindowOf(DWORD processId, const std::function<bool(HWND)>& matches) {
    TopSearch search{processId, &matches, nullptr};
    EnumWindows(&FindTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindWindowOf(DWORD processId, const std::string& caption) {
    return FindVisibleWindowOf(processId, [&caption](HWND wnd) { return WindowText(wnd) == caption; });
}

HWND WaitForWindow(DWORD processId, const std::string& caption, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowOf(processId, caption)) != nullptr; }, timeoutMs);
    return found;
}

HWND FindOutputWindow(DWORD processId) {
    return FindVisibleWindowOf(processId,
                               [](HWND wnd) { return WindowText(wnd).rfind(kOutputCaption, 0) == 0; });
}

HWND WaitForOutputWindow(DWORD processId, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindOutputWindow(processId)) != nullptr; }, timeoutMs);
    return found;
}

HWND FindChild(HWND parent, const std::string& text, const std::string& className) {
    ChildSearch search{&text, &className, nullptr, nullptr};
    EnumChildWindows(parent, &FindChildProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Children(HWND parent, const std::string& className) {
    std::vector<HWND> all;
    const std::string none;
    ChildSearch search{&none, &className, &all, nullptr};
    EnumChildWindows(parent, &FindChildProc, reinterpret_cast<LPARAM>(&search));
    return all;
}

std::string MessageBoxText(HWND box) {
    for (HWND child : Children(box, "Static")) {
        const std::string text = WindowText(child);
        if (!text.empty())
            return text;
    }
    return {};
}

void Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

void Close(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}

namespace {
const char* const kProgramKey = "Software\\tnwk";
std::string ReadString(HKEY root, const std::string& path, const std::string& name, REGSAM view = 0) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return {};
    char buffer[2048] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(buffer) : std::string();
}

void WriteString(HKEY root, const std::string& path, const std::string& name, const std::string& value,
                 REGSAM view = 0) {
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}
} // namespace

void DeleteProgramSettings() {
    DeleteKeyTree(HKEY_CURRENT_USER, kProgramKey);
}

void SetProgramSetting(const std::string& section, const std::string& name, const std::string& value) {
    WriteString(HKEY_CURRENT_USER, std::string(kProgramKey) + "\\" + section, name, value);
}

std::string ProgramSetting(const std::string& section, const std::string& name) {
    return ReadString(HKEY_CURRENT_USER, std::string(kProgramKey) + "\\" + section, name);
}

std::string DelphiEntry() {
    return ReadString(HKEY_LOCAL_MACHINE, kDelphiKey, "Delphi 3", KEY_WOW64_32KEY);
}

void SetDelphiEntry(const std::string& value) {
    WriteString(HKEY_LOCAL_MACHINE, kDelphiKey, "Delphi 3", value, KEY_WOW64_32KEY);
}

void ResetSettings(bool firstStartDone) {
    DeleteProgramSettings();
    if (firstStartDone)
        SetProgramSetting("Defaults", "FirstTime", "1");
}

DelphiEntryOverride::DelphiEntryOverride(const std::string& value) : saved_(DelphiEntry()) {
    SetDelphiEntry(value);
}

DelphiEntryOverride::~DelphiEntryOverride() {
    SetDelphiEntry(saved_);
}

void RemoveFolder(const std::string& folder) {
    DeleteTree(folder);
}

ToolItem ToolButtonAt(HWND window, int left) {
    HWND dock = ChildWindowFromPointEx(window, POINT{1, 1}, CWP_SKIPINVISIBLE);
    HWND toolbar =
        dock && dock != window ? ChildWindowFromPointEx(dock, POINT{1, 1}, CWP_SKIPINVISIBLE) : nullptr;
    if (!toolbar || toolbar == dock)
        return {};
    ToolItem item{toolbar, nullptr, left};
    HWND child = ChildWindowFromPointEx(toolbar, POINT{left + 1, 1}, CWP_SKIPINVISIBLE);
    if (child && child != toolbar) {
        item.window = child;
        return item;
    }
    return ToolButtonFlags(item) > 0 ? item : ToolItem{};
}

ToolItem OptionsButton(HWND main) {
    return ToolButtonAt(main, 0);
}

int ToolButtonFlags(const ToolItem& item) {
    if (!item || item.window)
        return -1;
    return static_cast<int>(
        SendMessageA(item.toolbar, tbtlbr::kQueryItemMessage, static_cast<WPARAM>(item.left), 0));
}

void Click(const ToolItem& item) {
    if (item.window) {
        Click(item.window);
        return;
    }
    const LPARAM middle = MAKELPARAM(item.left + 12, 12);
    PostMessageA(item.toolbar, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageA(item.toolbar, WM_LBUTTONUP, 0, middle);
}

bool Enabled(const ToolItem& item) {
    if (item.window)
        return IsWindowEnabled(item.window) != FALSE;
    const int flags = ToolButtonFlags(item);
    return flags > 0 && (flags & tbtlbr::kItemEnabled) != 0;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool Settled(HWND window, int timeoutMs) {
    DWORD_PTR result = 0;
    const UINT timeout = static_cast<UINT>(timeoutMs);
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &result) != 0;
}

bool PostDroppedFiles(HWND target, const std::vector<std::string>& files) {
    // DROPFILES, then the names each ended by a zero, then one more zero.
    std::string block(sizeof(DROPFILES), '\0');
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    std::memcpy(block.data(), &header, sizeof header);
    for (const std::string& file : files)
        block += file + '\0';
    block += '\0';

    DWORD processId = 0;
    GetWindowThreadProcessId(target, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return false;
    // A fixed block (a plain pointer) is what the drop functions accept as a handle. It stays
    // allocated: the target's DragFinish cannot free memory it did not allocate itself.
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool written =
        remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr) != FALSE;
    CloseHandle(process);
    return written && PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != FALSE;
}

std::vector<DWORD> ProcessesNamed(const std::string& exeName) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, exeName.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

void EndProcessesNamed(const std::string& exeName) {
    for (DWORD id : ProcessesNamed(exeName)) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

BinaryValueOverride::BinaryValueOverride(HKEY root, const char* key, const char* name, std::size_t size,
                                         REGSAM view)
    : name_(name) {
    RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key_, nullptr);
    DWORD length = 0;
    had_ = RegQueryValueExA(key_, name, nullptr, &type_, nullptr, &length) == ERROR_SUCCESS;
    saved_.resize(length);
    if (had_)
        RegQueryValueExA(key_, name, nullptr, &type_, saved_.data(), &length);
    const std::vector<BYTE> data(size, 0x41);
    RegSetValueExA(key_, name, 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
}

BinaryValueOverride::~BinaryValueOverride() {
    if (had_)
        RegSetValueExA(key_, name_.c_str(), 0, type_, saved_.data(), static_cast<DWORD>(saved_.size()));
    else
        RegDeleteValueA(key_, name_.c_str());
    RegCloseKey(key_);
}

} // namespace e2e
