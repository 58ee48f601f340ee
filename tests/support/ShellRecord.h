#pragma once
// Test programs that stand in for the handler the shell opens (a browser, a help viewer): registered
// as "<test program> <switch> <record> <target>", such a start appends the target to the record file
// and ends the process before any test runs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace support {

inline bool RecordOpenedTargetAndExitWhenStartedAs(const char* recordSwitch) {
    if (__argc == 4 && std::string(__argv[1]) == recordSwitch) {
        if (std::FILE* record = std::fopen(__argv[2], "ab")) {
            std::fprintf(record, "%s\n", __argv[3]);
            std::fclose(record);
        }
        ExitProcess(0);
    }
    return false;
}

} // namespace support
