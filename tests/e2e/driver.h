#pragma once
// Drives the real program in the Wine desktop: starts tnwk.exe, finds its windows, clicks, reads texts.
#include "support/Files.h"
#include "win/Files.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A started program; ends it if it is still running when the test is over.
class Process {
  public:
    Process() = default;
    Process(HANDLE process, DWORD id) : handle_(process), id_(id) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return handle_; }
    bool WaitForExit(int timeoutMs) const;
    bool Running() const { return !WaitForExit(0); }

  private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

std::string BinDir();
std::string SourceDir();
std::string JoinPath(const std::string& folder, const std::string& name);

// A fresh, empty folder below the temporary folder.
std::string FreshFolder(const std::string& name);
// Copies the files of examples\<example> into `folder`.
void CopyExample(const std::string& example, const std::string& folder);
using support::ReadFileBytes;
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Starts build\bin\tnwk.exe with the arguments, in the folder given.
Process StartTarnwick(const std::string& arguments, const std::string& folder,
                      const std::vector<std::string>& environment = {});
// The start of most tests: tnwk.exe started without arguments in a fresh folder of that name, and its
// main window; nullptr when the window did not appear in time.
HWND StartToMainWindow(Process& app, const std::string& folderName, int timeoutMs = 15000);
// Starts any program; environment entries are "NAME=value".
Process StartProgram(const std::string& commandLine, const std::string& folder,
                     const std::vector<std::string>& environment = {});

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);
// A visible top-level window of the process whose caption is `caption`.
HWND FindWindowOf(DWORD processId, const std::string& caption);
// The first visible top-level window of the process that `matches` accepts.
HWND FindVisibleWindowOf(DWORD processId, const std::function<bool(HWND)>& matches);
// The window's class name.
std::string ClassOf(HWND wnd);
HWND WaitForWindow(DWORD processId, const std::string& caption, int timeoutMs);
// The output window: its caption is kOutputCaption with the problems' counts after it.
HWND FindOutputWindow(DWORD processId);
HWND WaitForOutputWindow(DWORD processId, int timeoutMs);
// A descendant window whose text is `text` (and whose class is `className` when given).
HWND FindChild(HWND parent, const std::string& text, const std::string& className = {});
std::vector<HWND> Children(HWND parent, const std::string& className);
std::string WindowText(HWND wnd);
// The text of a message box (its static text).
std::string MessageBoxText(HWND box);

void Click(HWND button);
// Moves the X server's pointer to a screen point of the Wine desktop and clicks the left button there,
// as a person's mouse does (xdotool, run through Wine's start /unix). False when xdotool failed.
bool RealClickAt(int x, int y, int clicks = 1);
// Types keys on the X server's keyboard as a person does, in xdotool's words ("alt+F8", "Return").
bool RealKeys(const std::string& keys);
// Runs xdotool on the X server with the arguments ("key alt+s", "type abc"): the real keyboard and
// mouse. False when xdotool failed.
bool RealInput(const std::string& arguments);
// The active window, the focused control and the rest of what the window's thread holds.
GUITHREADINFO GuiState(HWND window);
void Close(HWND window);

// The registry of the program and of the Delphi 3 installation (a 32-bit program: its entry lives
// in the 32-bit programs' view, kDelphiKey).
inline constexpr const char* kDelphiKey = "SOFTWARE\\Borland\\Delphi\\3.0";
void DeleteProgramSettings();
void SetProgramSetting(const std::string& section, const std::string& name, const std::string& value);
std::string ProgramSetting(const std::string& section, const std::string& name);
std::string DelphiEntry();
void SetDelphiEntry(const std::string& value);

// The usual state before a test: settings removed, first start already done.
void ResetSettings(bool firstStartDone = true);

// Sets the Delphi 3 installation's entry for the scope and puts the earlier value back at its end,
// also when the test fails.
class DelphiEntryOverride {
  public:
    explicit DelphiEntryOverride(const std::string& value);
    ~DelphiEntryOverride();
    DelphiEntryOverride(const DelphiEntryOverride&) = delete;
    DelphiEntryOverride& operator=(const DelphiEntryOverride&) = delete;

  private:
    std::string saved_;
};

// Replaces a registry value with `size` bytes of binary data for the scope and puts the earlier value
// back at its end (or removes it when there was none).
class BinaryValueOverride {
  public:
    // view: 0, or KEY_WOW64_32KEY for the 32-bit programs' view.
    BinaryValueOverride(HKEY root, const char* key, const char* name, std::size_t size, REGSAM view = 0);
    ~BinaryValueOverride();
    BinaryValueOverride(const BinaryValueOverride&) = delete;
    BinaryValueOverride& operator=(const BinaryValueOverride&) = delete;

  private:
    HKEY key_ = nullptr;
    std::string name_;
    bool had_ = false;
    DWORD type_ = REG_SZ;
    std::vector<BYTE> saved_;
};

// Removes a folder with everything in it.
void RemoveFolder(const std::string& folder);

// An item of a window's toolbar by its place in the row: a windowed control there (the colour button),
// or one of the toolbar's buttons, which are not windows of their own and are reached through the
// toolbar. The toolbar is the child of the dock at the window's top-left corner.
struct ToolItem {
    HWND toolbar = nullptr;
    HWND window = nullptr; // the control's own window, when it has one
    int left = 0;
    explicit operator bool() const { return toolbar != nullptr; }
};
ToolItem ToolButtonAt(HWND window, int left);
// The main window's Preferences button, the toolbar's first.
ToolItem OptionsButton(HWND main);
// A press and release of the left button in the middle of the item (BM_CLICK for a windowed control).
void Click(const ToolItem& item);
bool Enabled(const ToolItem& item);
// What the toolbar reports of its button (the flags and state of controls/TbTlbr_core.h); -1 for none.
int ToolButtonFlags(const ToolItem& item);
// ASCII letters in lower case, as the project edit holds names.
std::string Lower(std::string text);

// True once the window's thread handles sent messages again, i.e. it is back in a message loop:
// the handler that was running (a compile job after its wait, say) has finished or shows a modal
// window.
bool Settled(HWND window, int timeoutMs);

// Posts WM_DROPFILES with the files to `target` of another process. The drop block is written into
// that process's memory, as a drop handle must be valid where it is read. False when it could not be
// placed there.
bool PostDroppedFiles(HWND target, const std::vector<std::string>& files);

// Processes whose executable has that file name (no folder), compared ignoring case.
std::vector<DWORD> ProcessesNamed(const std::string& exeName);
void EndProcessesNamed(const std::string& exeName);

inline constexpr const char* kMainCaption = "Wrenworks   Tarnwick 1.0";
inline constexpr const char* kPrefsCaption = "Wrenworks   Tarnwick 1.0 Preferences";
inline constexpr const char* kStartCaption = "Wrenworks   Tarnwick 1.0  First start";
inline constexpr const char* kOutputCaption = "Compiler output. ";

} // namespace e2e
