// Runs batch lines through the real command interpreter: names with characters the interpreter acts
// on must reach the compiler unchanged, and must never start a command of their own.
#include "app/xProcs.h"
#include "app/xProcs_core.h"
#include "base/SysUtils.h"
#include "win/Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kRecordVariable = "TNWK_BATCHLINE_RECORD";

// A copy of this test program stands in for the compiler. Started with the variable set, it writes
// its own path and its arguments (one per line, as the C runtime splits them) to the file the
// variable names and ends before any test runs.
[[maybe_unused]] const bool gStartedAsRecorder = [] {
    char recordFile[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(kRecordVariable, recordFile, sizeof recordFile);
    if (length == 0 || length >= sizeof recordFile)
        return false;
    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    {
        std::ofstream record(recordFile, std::ios::binary);
        record << modulePath << '\n';
        for (int i = 1; i < __argc; ++i)
            record << __argv[i] << '\n';
    }
    ExitProcess(0);
}();

std::vector<std::string> ReadLines(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string ThisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

class BatchLineUnderCmd : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("tnwk_batchline_" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // A folder of that name holding the recording stand-in compiler; returns the compiler's path.
    // Names are ANSI text here, as the program holds them: the folder is made through the ANSI calls.
    std::string MakeCompilerFolder(const std::string& folderName) {
        const std::string folder = root_.string() + "\\" + folderName;
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string compiler = folder + "\\dcc32.exe";
        CopyFileA(ThisProgram().c_str(), compiler.c_str(), FALSE);
        return compiler;
    }

    // Writes "compile.bat" with the line into the folder and runs it there as the compile job does:
    // by bare name from the current directory, in a new minimised console. Returns the arguments the
    // stand-in compiler recorded (its own path first), empty when it did not run.
    std::vector<std::string> RunBatch(const fs::path& folder, const std::string& line) {
        return RunBatch(folder.string(), line);
    }
    std::vector<std::string> RunBatch(const std::string& folder, const std::string& line) {
        WriteBatchFile(folder + "\\" + xprocs::kBatchFileName, line);
        const std::string record = folder + "\\recorded.txt";
        SetEnvironmentVariableA(kRecordVariable, record.c_str());
        char previousDir[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof previousDir, previousDir);
        SetCurrentDirectoryA(folder.c_str());

        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWMINIMIZED;
        PROCESS_INFORMATION info = {};
        char commandLine[] = "compile.bat";
        const BOOL started =
            CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE,
                           NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &info);
        SetCurrentDirectoryA(previousDir);
        SetEnvironmentVariableA(kRecordVariable, nullptr);
        if (!started) {
            ADD_FAILURE() << "compile.bat did not start, error " << GetLastError();
            return {};
        }
        const KernelHandle process(info.hProcess);
        const KernelHandle thread(info.hThread);
        EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
        return ReadLines(record);
    }

    fs::path root_;
};

void ExpectRecorded(const std::vector<std::string>& recorded, const std::string& compiler,
                    const std::vector<std::string>& arguments) {
    ASSERT_FALSE(recorded.empty()) << "the compiler was not started";
    EXPECT_TRUE(rtl::SameText(recorded.front(), compiler)) << recorded.front();
    EXPECT_EQ(std::vector<std::string>(recorded.begin() + 1, recorded.end()), arguments);
}

} // namespace

TEST_F(BatchLineUnderCmd, SpecialFolderAndProjectNamesArriveIntact) {
    for (const std::string name : {"a&b", "50%", "x(1)", "a b", "%OS%", "a^b", "a,b;c=d", "p|q"}) {
        SCOPED_TRACE(name);
        // "|" cannot stand in a file name, but the line must still carry it as a name.
        const bool folderPossible = name.find('|') == std::string::npos;
        const std::string compiler = MakeCompilerFolder(folderPossible ? name : "plain");
        const fs::path folder = fs::path(compiler).parent_path();
        const std::string project = name + ".dpr";
        const auto recorded = RunBatch(folder, xprocs::BatchLine(compiler, true, true, project));
        ExpectRecorded(recorded, compiler, {"-b", "-gd", project});
        EXPECT_TRUE(fs::exists(folder / xprocs::kOutputFileName)) << "the redirection was lost";
    }
}

TEST_F(BatchLineUnderCmd, OrdinaryLineRunsTheCompilerWithBothSwitchesOff) {
    const std::string compiler = MakeCompilerFolder("plain");
    const fs::path folder = fs::path(compiler).parent_path();
    const auto recorded = RunBatch(folder, xprocs::BatchLine(compiler, false, false, "demo.dpr"));
    ExpectRecorded(recorded, compiler, {"demo.dpr"});
}

TEST_F(BatchLineUnderCmd, AnInjectedCommandIsNotExecuted) {
    const std::string compiler = MakeCompilerFolder("inject");
    const fs::path folder = fs::path(compiler).parent_path();
    const std::string project = "x&echo INJECTED>pwned.txt";
    const auto recorded = RunBatch(folder, xprocs::BatchLine(compiler, false, false, project));
    ExpectRecorded(recorded, compiler, {project});
    EXPECT_FALSE(fs::exists(folder / "pwned.txt"));
}

// Shows that the check above can fail: the same name written into the line as it is does run the
// injected command under this interpreter.
TEST_F(BatchLineUnderCmd, UnquotedNameWouldRunTheInjectedCommand) {
    const std::string compiler = MakeCompilerFolder("inject");
    const fs::path folder = fs::path(compiler).parent_path();
    const auto recorded = RunBatch(folder, compiler + "  x&echo INJECTED>pwned.txt >output.txt\r\n");
    ExpectRecorded(recorded, compiler, {"x"});
    EXPECT_TRUE(fs::exists(folder / "pwned.txt"));
}

// The interpreter reads a batch file in the OEM code page: a name with a character beyond ASCII that
// the program holds in the ANSI code page reaches the compiler unchanged, and ASCII lines keep their
// exact bytes.
TEST_F(BatchLineUnderCmd, NamesBeyondAsciiArriveUnchanged) {
    const std::string compiler = MakeCompilerFolder("d\xFCr");
    const std::string folder = compiler.substr(0, compiler.rfind('\\'));
    const auto recorded = RunBatch(folder, xprocs::BatchLine(compiler, false, false, "m\xFCll.dpr"));
    ExpectRecorded(recorded, compiler, {"m\xFCll.dpr"});

    const std::string ascii = xprocs::BatchLine("C:\\D3\\DCC32.EXE", true, false, "HELLO.DPR");
    WriteBatchFile((root_ / "ascii.bat").string(), ascii);
    std::ifstream in(root_ / "ascii.bat", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), ascii);
}
