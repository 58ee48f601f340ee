#include "win/Library.h"

#include <map>
#include <memory>
#include <string>

const TLibrary& LoadedLibrary(const char* name) {
    static std::map<std::string, std::unique_ptr<TLibrary>> loaded;
    std::unique_ptr<TLibrary>& library = loaded[name];
    if (!library)
        library = std::make_unique<TLibrary>(name);
    return *library;
}

namespace syslib {
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
    static const auto function =
        LibraryFunction<decltype(&::InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx");
    return function ? function(classes) : FALSE;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* record) {
    static const auto function =
        LibraryFunction<decltype(&::GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    return function ? function(record) : FALSE;
}

BOOL ChooseFontA(CHOOSEFONTA* record) {
    static const auto function = LibraryFunction<decltype(&::ChooseFontA)>("comdlg32.dll", "ChooseFontA");
    return function ? function(record) : FALSE;
}

BOOL ChooseColorA(CHOOSECOLORA* record) {
    static const auto function = LibraryFunction<decltype(&::ChooseColorA)>("comdlg32.dll", "ChooseColorA");
    return function ? function(record) : FALSE;
}

UINT DragQueryFileA(HDROP drop, UINT index, char* name, UINT size) {
    static const auto function =
        LibraryFunction<decltype(&::DragQueryFileA)>("shell32.dll", "DragQueryFileA");
    return function ? function(drop, index, name, size) : 0;
}

void DragFinish(HDROP drop) {
    static const auto function = LibraryFunction<decltype(&::DragFinish)>("shell32.dll", "DragFinish");
    if (function)
        function(drop);
}

HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* folder, int show) {
    static const auto function = LibraryFunction<decltype(&::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    // A missing shell reports what a missing file would: an error code below 32.
    return function ? function(owner, verb, file, parameters, folder, show)
                    : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(ERROR_FILE_NOT_FOUND));
}
} // namespace syslib
