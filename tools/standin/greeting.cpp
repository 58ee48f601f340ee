// The program the stand-in compiler leaves as a project's ".exe": it greets under whatever name it
// was copied to and ends with exit code 0. Two variables let tests watch it: TNWK_GREETING_MARKER
// names a file to which it appends "ran <exe name>" when it starts, and TNWK_GREETING_SLEEP_MS makes
// it wait that many milliseconds before it ends.
#include <cstdio>
#include <cstdlib>
#include <windows.h>

namespace {
bool Variable(const char* name, char* value, DWORD size) {
    const DWORD length = GetEnvironmentVariableA(name, value, size);
    return length > 0 && length < size;
}
} // namespace

int main() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    for (DWORD i = 0; i < length; ++i)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':')
            name = path + i + 1;
    char marker[MAX_PATH] = {};
    if (Variable("TNWK_GREETING_MARKER", marker, sizeof marker)) {
        if (std::FILE* file = std::fopen(marker, "ab")) {
            std::fprintf(file, "ran %s\r\n", name);
            std::fclose(file);
        }
    }
    std::printf("Hello from %s\n", name);
    std::fflush(stdout);
    char delay[16] = {};
    if (Variable("TNWK_GREETING_SLEEP_MS", delay, sizeof delay))
        Sleep(static_cast<DWORD>(std::strtoul(delay, nullptr, 10)));
    return 0;
}
