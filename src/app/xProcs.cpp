#include "app/xProcs.h"

#include "base/SysUtils.h"
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

bool FileExists(const std::string& fileName) {
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
