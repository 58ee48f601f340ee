#pragma once
// One run of the stand-in compiler: reports its configuration and switches, checks the source and
// the units it uses that lie beside it, and leaves the products the front end looks for.
#include "CommandLine_core.h"
#include "ProductText_core.h"
#include "SourceCheck_core.h"

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace standin {

inline constexpr const char* kProgramTemplate = "standin_greeting.exe";
inline constexpr const char* kLibraryTemplate = "standin_library.dll";

class Compiler {
  public:
    Compiler(Invocation invocation, std::FILE* out);

    // The process's exit code: 0 when the product was written, 1 otherwise.
    int run();

  private:
    void say(const std::string& line);
    void reportConfiguration();
    void reportArguments();
    bool compileMainFile(const std::string& sourceName);
    std::string resolveSourcePath(const std::string& sourceName);
    bool removeStaleProducts(const std::string& productBase, bool isProject);
    bool compileSource(const std::string& path, ExpectedKind expected, SourceCheckResult& result);
    bool compileUsedUnits(const std::string& userPath, const std::vector<UsedUnit>& uses);
    bool compileUnit(const std::string& path, const std::string& usedName);
    bool removeStaleProduct(const std::string& path);
    bool writeProduct(const std::string& path, const std::string& bytes);
    std::optional<std::string> templateBytes(const char* templateName);

    Invocation invocation_;
    std::FILE* out_;
    std::string programFolder_;
    std::set<std::string> compiledOrSeen_; // lower-case full paths
    std::vector<Module> modules_;
    int totalLines_ = 0;
    std::size_t productSize_ = 0;
};

} // namespace standin
