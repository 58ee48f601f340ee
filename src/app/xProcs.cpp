#include "app/xProcs.h"

#include "base/SysUtils.h"
#include "controls/ToolEdit_core.h"
#include "win/Handles.h"

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

void WriteBatchFile(const std::string& fileName, const std::string& line) {
    KernelHandle file(CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    // The interpreter reads batch files in the OEM code page: a name beyond ASCII written in the ANSI
    // code page would reach the compiler changed. ASCII is the same in both.
    std::string oem(line.size(), '\0');
    CharToOemBuffA(line.data(), oem.data(), static_cast<DWORD>(line.size()));
    DWORD written = 0;
    WriteFile(file.get(), oem.data(), static_cast<DWORD>(oem.size()), &written, nullptr);
}

std::string AbsoluteFileName(const std::string& name) {
    if (!tooledit::IsValidFileName(name))
        return name;
    char buffer[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return name;
    return buffer;
}
