#include "win/standin_harness.h"

#include "win/Handles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>

namespace standin_harness {

namespace {

constexpr DWORD kProcessTimeoutMilliseconds = 60000;

std::atomic<int> folderCounter{0};

} // namespace

std::string dcc32Path() {
    return std::string(TNWK_BIN_DIR) + "\\standin\\dcc32.exe";
}

std::string examplePath(const std::string& relative) {
    return std::string(TNWK_SOURCE_DIR) + "\\examples\\" + relative;
}

TempFolder::TempFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "tnwk_standin_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++folderCounter) + "\\";
    removeTree(path_);
    makeFolder(path_);
}

TempFolder::~TempFolder() {
    removeTree(path_);
}

namespace {

// Starts the process, waits for its end (killing it after the time-out) and tells its exit code.
DWORD startAndWait(const std::string& commandLine, const std::string& folder, DWORD creationFlags,
                   STARTUPINFOA& startup) {
    PROCESS_INFORMATION info{};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, creationFlags, nullptr,
                        folder.c_str(), &startup, &info)) {
        ADD_FAILURE() << "cannot start " << commandLine << " (error " << GetLastError() << ")";
        return ~DWORD{0};
    }
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    if (WaitForSingleObject(process.get(), kProcessTimeoutMilliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), kProcessTimeoutMilliseconds);
        ADD_FAILURE() << commandLine << " did not end in time";
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
}

} // namespace

ProcessRun runProcess(const std::string& commandLine, const std::string& folder) {
    const std::string outputPath = folder + "stdout.txt";
    ProcessRun run;
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        KernelHandle output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(output) << outputPath << " (error " << GetLastError() << ")";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        const DWORD started = GetTickCount();
        // Without a console of its own no console host lingers holding the output file open.
        run.exitCode = startAndWait(commandLine, folder, DETACHED_PROCESS, startup);
        run.elapsedMilliseconds = GetTickCount() - started;
    }
    run.output = support::ReadFileBytes(outputPath);
    DeleteFileA(outputPath.c_str());
    return run;
}

ProcessRun runDcc32(const std::string& arguments, const std::string& folder, const std::string& dcc32) {
    return runProcess("\"" + dcc32 + "\" " + arguments, folder);
}

std::string runBatch(const std::string& line, const std::string& folder) {
    writeFile(folder + "compile.bat", line + "\r\n");
    // As the front end runs it: minimised, in a console of its own.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    startAndWait("cmd.exe /c compile.bat", folder, CREATE_NEW_CONSOLE, startup);
    DeleteFileA((folder + "compile.bat").c_str());
    return support::ReadFileBytes(folder + "output.txt");
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    ASSERT_TRUE(out) << "cannot write " << path;
}

void copyFile(const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

void makeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) << path;
}

void removeTree(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    WIN32_FIND_DATAA found;
    {
        FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
        if (!search)
            return;
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(folder + name);
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search.get(), &found));
    }
    RemoveDirectoryA(folder.c_str());
}

std::string shortPathOf(const std::string& path) {
    char shortPath[MAX_PATH + 1] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return length > 0 && length < sizeof shortPath ? std::string(shortPath, length) : path;
}

void ageFile(const std::string& path, int seconds) {
    KernelHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= static_cast<ULONGLONG>(seconds) * 10000000ULL;
    const FILETIME aged{time.LowPart, time.HighPart};
    ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &aged));
}

} // namespace standin_harness
