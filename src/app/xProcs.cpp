#include "app/xProcs.h"

#include "base/SysUtils.h"
#include "win/Forms.h"
#include "win/Handles.h"

#include <cstring>
#include <vector>

std::string ShortPath(const std::string& path) {
    char buffer[256] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, 255);
    if (length >= 1 && length <= 255)
        return buffer;
    return path;
}

std::uint32_t FileSizeOf(const std::string& fileName) {
    WIN32_FIND_DATAA data{};
    FindHandle search(FindFirstFileA(fileName.c_str(), &data));
    if (!search)
        return 0;
    return data.nFileSizeLow;
}

void WipeFile(const std::string& fileName) {
    const std::uint32_t size = FileSizeOf(fileName);
    {
        KernelHandle file(CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file && size > 0) {
            std::vector<char> filler(size, 'X');
            DWORD written = 0;
            WriteFile(file.get(), filler.data(), size, &written, nullptr);
        }
    }
    DeleteFileA(fileName.c_str());
}

bool FileExists(const std::string& fileName) {
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {
struct VersionFlags {
    bool minorVersion95;
    bool platformIsNT;
};

const VersionFlags& Flags() {
    static const VersionFlags flags = [] {
        VersionFlags f{};
        const DWORD version = GetVersion();
        f.minorVersion95 = ((version >> 8) & 0xFF) >= 95;
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        f.platformIsNT = GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
        return f;
    }();
    return flags;
}

} // namespace

bool MinorVersion95() {
    return Flags().minorVersion95;
}
bool PlatformIsNT() {
    return Flags().platformIsNT;
}

int TaskModalMessageBox(const std::string& caption, const std::string& text, UINT style) {
    // Fixed buffers as the message box has always taken: 100 characters of caption, 200 of text.
    char captionBuffer[101] = {};
    char textBuffer[201] = {};
    std::strncpy(captionBuffer, caption.c_str(), 100);
    std::strncpy(textBuffer, text.c_str(), 200);
    HWND active = GetActiveWindow();
    int result;
    {
        ThreadWindowsDisabler disabled;
        result = MessageBoxA(Application ? Application->Handle() : nullptr, textBuffer, captionBuffer, style);
    }
    if (active && IsWindow(active))
        SetActiveWindow(active);
    return result;
}

void InformationMessage(const std::string& text) {
    if (MinorVersion95() || PlatformIsNT()) {
        TaskModalMessageBox(rtl::SMsgDlgInformation, text, MB_ICONINFORMATION | MB_OK);
        return;
    }
    MessageBoxA(Application ? Application->Handle() : nullptr, text.c_str(), rtl::SMsgDlgInformation,
                MB_ICONINFORMATION | MB_OK);
}
