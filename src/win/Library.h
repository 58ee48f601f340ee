#pragma once
// System libraries that start-up should not pay for (common controls and dialogs, the shell, the printer
// spooler): each is loaded when one of its functions is first called and released when the program ends.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

class TLibrary {
  public:
    explicit TLibrary(const char* name) : module_(LoadLibraryA(name)) {}
    ~TLibrary() {
        if (module_)
            FreeLibrary(module_);
    }
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;

    // The function, or nullptr when the library or the function is missing.
    template <class Fn> Fn Function(const char* name) const {
        // Through the generic function type, which any function pointer type may be cast from and to.
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)))
                       : nullptr;
    }

  private:
    HMODULE module_;
};

// The library of that name, loaded once for the rest of the program's run.
const TLibrary& LoadedLibrary(const char* name);

// A function of a library loaded when first needed; nullptr when the library or function is missing.
template <class Fn> Fn LibraryFunction(const char* library, const char* name) {
    return LoadedLibrary(library).Function<Fn>(name);
}

// The common-dialog and shell functions the program uses, with the libraries' own meaning; a missing
// library makes them fail as the functions themselves fail.
namespace syslib {
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
BOOL GetOpenFileNameA(OPENFILENAMEA* record);
BOOL ChooseFontA(CHOOSEFONTA* record);
BOOL ChooseColorA(CHOOSECOLORA* record);
UINT DragQueryFileA(HDROP drop, UINT index, char* name, UINT size);
void DragFinish(HDROP drop);
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* folder, int show);
} // namespace syslib
