// The program the stand-in compiler leaves as a project's ".exe": it greets under whatever name it
// was copied to and ends with exit code 0.
#include <cstdio>
#include <windows.h>

int main() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    for (DWORD i = 0; i < length; ++i)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
            name = path + i + 1;
    std::printf("Hello from %s\n", name);
    return 0;
}
