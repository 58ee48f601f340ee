#include "app/xProcs_core.h"

#include "base/SysUtils.h"

namespace xprocs {

namespace {

// Characters that end a name or start another command when a batch line is parsed: command
// separators, redirections, the escape character, variable expansion, blocks and the delimiters
// the interpreter splits a command name at.
constexpr std::string_view kBatchSpecial = "&|<>^%() \t,;=";

} // namespace

std::string BatchArgument(std::string_view name) {
    if (name.find_first_of(kBatchSpecial) == std::string_view::npos)
        return std::string(name);
    std::string quoted = "\"";
    for (const char c : name) {
        quoted.push_back(c);
        if (c == '%')
            quoted.push_back('%');
    }
    quoted.push_back('"');
    return quoted;
}

std::string BatchLine(std::string_view compilerShortPath, bool buildAll, bool mapFile,
                      std::string_view projectShortName) {
    std::string line = BatchArgument(compilerShortPath);
    if (buildAll)
        line += " -b";
    line += " ";
    if (mapFile)
        line += " -gd";
    line += " ";
    line += BatchArgument(projectShortName);
    line += " >";
    line += kOutputFileName;
    line += "\r\n";
    return line;
}

std::string ProgramCommand(std::string_view path) {
    if (path.find(' ') == std::string_view::npos)
        return std::string(path);
    return "\"" + std::string(path) + "\"";
}

bool IsNetworkPath(std::string_view fileName) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    return fileName.size() >= 2 && separator(fileName[0]) && separator(fileName[1]);
}

ProjectKind ClassifyProject(std::string_view fileName) {
    const std::string ext = rtl::ExtractFileExt(fileName);
    if (ext == ".pas")
        return ProjectKind::Unit;
    if (ext == ".dpr")
        return ProjectKind::Program;
    return ProjectKind::Other;
}

std::string ProductName(std::string_view shortProjectPath, std::string_view ext) {
    return rtl::ChangeFileExt(shortProjectPath, ext);
}

CompileDecision DecideAfterCompile(ProjectKind kind, bool alwaysShowOutput, bool runProject, bool dcuExists,
                                   bool exeExists, bool dllExists) {
    using Run = CompileDecision::Run;
    const bool productMissing = (kind == ProjectKind::Unit && !dcuExists) ||
                                (kind == ProjectKind::Program && !exeExists && !dllExists);
    CompileDecision decision{alwaysShowOutput || productMissing, Run::Nothing};
    if (!runProject)
        return decision;
    if (dllExists)
        decision.run = Run::RefuseDll;
    else if (kind == ProjectKind::Unit)
        decision.run = Run::RefuseUnit;
    else
        decision.run = Run::StartExe;
    return decision;
}

} // namespace xprocs
