#pragma once
// Platform-free rules of the compile job: the line of "compile.bat", the kind of the project file,
// the product names and what to do once the compiler has finished.
#include "output/OutputFile_core.h"

#include <string>
#include <string_view>

namespace xprocs {

inline constexpr const char* SIncorrectCompilerPath = "Incorrect path To the commandline compiler!";
inline constexpr const char* SCantExecuteDll = "Can´t execute a DLL";
inline constexpr const char* SCantExecuteUnits = "Can´t execute units!";
inline constexpr const char* SSelectProjectFirst = "First select a project!";
inline constexpr const char* SCompileRunning = "A compile is running. Please wait until it has finished.";
inline constexpr const char* SProgramRunning = "The compiled program is running. Please close it first.";

inline constexpr const char* SNetworkProject =
    "Projects on a network path cannot be compiled. Please map the share to a drive letter.";

inline constexpr const char* kBatchFileName = "compile.bat";
// The batch line sends the compiler's output where the output window reads it.
using outputfile::kOutputFileName;

// A name as it has to stand in a batch line to reach the program unchanged: names holding a blank or
// a character the command interpreter acts on are put in double quotes, and every "%" is doubled
// (a batch file expands "%" even inside quotes). Other names stay as they are.
std::string BatchArgument(std::string_view name);

// The whole content of "compile.bat": compiler, " -b" or nothing, a blank, " -gd" or nothing, a blank
// and the project's short name, " >output.txt", CR LF. Both switches off leave two blanks after the
// compiler.
std::string BatchLine(std::string_view compilerShortPath, bool buildAll, bool mapFile,
                      std::string_view projectShortName);

// The built program's path as the first word of its command line: in double quotes when it holds a
// blank, else unchanged.
std::string ProgramCommand(std::string_view path);

// A name on a network share (\\server\share\...), which the command interpreter cannot run in.
bool IsNetworkPath(std::string_view fileName);

enum class ProjectKind { Unit, Program, Other };

// By the file's own extension, compared case-sensitively (the names arrive in lower case):
// ".pas" is a unit, ".dpr" a program or library. A folder named like "x.pas" does not count.
ProjectKind ClassifyProject(std::string_view fileName);

// The product the compiler leaves beside the source: the extension replaced (or appended).
std::string ProductName(std::string_view shortProjectPath, std::string_view ext);

struct CompileDecision {
    bool showOutput;
    enum class Run { Nothing, RefuseDll, RefuseUnit, StartExe } run;
    friend bool operator==(const CompileDecision&, const CompileDecision&) = default;
};

// After the compile: the output window is shown when asked for always or when the file's product is
// missing; with Run project on, a library product refuses first (units are tested for it too), then
// a unit refuses, and otherwise the ".exe" is started (also when missing: its launch then reports).
// A name that is neither a unit nor a program counts as a project named without its extension.
CompileDecision DecideAfterCompile(ProjectKind kind, bool alwaysShowOutput, bool runProject, bool dcuExists,
                                   bool exeExists, bool dllExists);

} // namespace xprocs
