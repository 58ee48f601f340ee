#include "Compiler.h"

#include "CompilerConfig_core.h"
#include "FileSystem.h"
#include "PathText_core.h"

#include <cstdio>
#include <windows.h>

namespace standin {

namespace {

// The product keeps the source's long name unless the source was named by a short alias: then the
// alias, so that the front end, which looks for products by the short name, finds them.
std::string productBaseOf(const std::string& path) {
    const std::string given = baseNameOf(path);
    const std::string longBase = baseNameOf(longNameOf(path));
    return folderOf(path) + (sameText(given, longBase) ? longBase : given);
}

std::vector<std::string> acceptedNamesOf(const std::string& path) {
    return {baseNameOf(longNameOf(path)), baseNameOf(path)};
}

bool isUpToDate(const std::string& product, const std::string& source) {
    const auto productTime = lastWriteTime(product);
    const auto sourceTime = lastWriteTime(source);
    return productTime && sourceTime && *productTime >= *sourceTime;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

struct ProductKind {
    const char* extension;
    const char* templateName; // the file beside dcc32.exe copied as the product; none for a unit
};

ProductKind productKindOf(SourceKind kind) {
    switch (kind) {
    case SourceKind::Program:
        return {".exe", kProgramTemplate};
    case SourceKind::Library:
        return {".dll", kLibraryTemplate};
    case SourceKind::Unit:
        break;
    }
    return {".dcu", nullptr};
}

} // namespace

Compiler::Compiler(Invocation invocation, std::FILE* out)
    : invocation_(std::move(invocation)), out_(out), programFolder_(programFolder()) {}

void Compiler::say(const std::string& line) {
    std::fputs(line.c_str(), out_);
    std::fputc('\n', out_);
    std::fflush(out_);
}

int Compiler::run() {
    const ULONGLONG started = GetTickCount64();
    say("Tarnwick stand-in compiler for Delphi 3 (dcc32), version 1.0");
    say("It checks the source and writes stand-in products; no code is generated.");
    reportConfiguration();
    reportArguments();
    if (invocation_.source.empty()) {
        say("Fatal: No source file named. Syntax: DCC32 [-b] [-gd] filename");
        return 1;
    }
    if (!compileMainFile(invocation_.source))
        return 1;
    char summary[160];
    std::snprintf(summary, sizeof summary, "%d lines, %.2f seconds, %u bytes code, 0 bytes data.",
                  totalLines_, static_cast<double>(GetTickCount64() - started) / 1000.0,
                  static_cast<unsigned>(productSize_));
    say(summary);
    return 0;
}

void Compiler::reportConfiguration() {
    const std::string configPath = programFolder_ + "Dcc32.cfg";
    if (!fileExists(configPath))
        return;
    const auto text = readFile(configPath);
    if (!text) {
        say("Warning: Could not read the configuration file " + configPath);
        return;
    }
    say("Configuration file: " + configPath);
    for (const ConfigEntry& entry : parseCompilerConfig(*text))
        say("  " + entry.label + ": " + entry.value);
}

void Compiler::reportArguments() {
    if (invocation_.buildAll)
        say("Switch -b: build all units");
    if (invocation_.detailedMap)
        say("Switch -gd: detailed map file");
    for (const std::string& ignored : invocation_.ignoredSwitches)
        say("Ignored switch: " + ignored);
    for (const std::string& ignored : invocation_.ignoredArguments)
        say("Ignored argument: " + ignored);
}

bool Compiler::compileMainFile(const std::string& sourceName) {
    const std::string path = resolveSourcePath(sourceName);
    const std::string extension = lowerCase(extensionOf(path));
    if (extension != ".dpr" && extension != ".pas") {
        say("Fatal: " + quoted(namePartOf(path)) + " is neither a project file (.dpr) nor a unit (.pas)");
        return false;
    }
    const bool isProject = extension == ".dpr";
    const std::string productBase = productBaseOf(path);
    if (!removeStaleProducts(productBase, isProject))
        return false;
    if (!fileExists(path)) {
        say("Fatal: File not found: " + quoted(namePartOf(path)));
        return false;
    }

    compiledOrSeen_.insert(lowerCase(path));
    SourceCheckResult result;
    if (!compileSource(path, isProject ? ExpectedKind::Project : ExpectedKind::Unit, result))
        return false;
    if (!compileUsedUnits(path, result.uses))
        return false;
    const Module main{result.name, longNameOf(path), result.lineCount};
    say(main.sourceName + "(" + std::to_string(result.lineCount) + ")");

    const ProductKind product = productKindOf(result.kind);
    const auto bytes =
        result.kind == SourceKind::Unit ? compiledUnitText(main) : templateBytes(product.templateName);
    if (!bytes || !writeProduct(productBase + product.extension, *bytes))
        return false;
    productSize_ = bytes->size();
    if (!invocation_.detailedMap || result.kind == SourceKind::Unit)
        return true;
    return writeProduct(productBase + ".map",
                        detailedMapText(namePartOf(productBase) + product.extension, modules_));
}

std::string Compiler::resolveSourcePath(const std::string& sourceName) {
    const std::string path = fullPathOf(sourceName);
    if (!extensionOf(path).empty() || fileExists(path))
        return path;
    // A bare name means the project file, or the unit when only that exists.
    return path + (fileExists(path + ".pas") && !fileExists(path + ".dpr") ? ".pas" : ".dpr");
}

// Whatever happens next, no product of an earlier compile may stay to pass for this one's.
bool Compiler::removeStaleProducts(const std::string& productBase, bool isProject) {
    for (const char* extension :
         isProject ? std::vector{".exe", ".dll", ".map"} : std::vector{".dcu", ".map"})
        if (!removeStaleProduct(productBase + extension))
            return false;
    return true;
}

bool Compiler::compileSource(const std::string& path, ExpectedKind expected, SourceCheckResult& result) {
    const std::string displayName = longNameOf(path);
    const auto text = readFile(path);
    if (!text) {
        say("Fatal: Could not open " + quoted(displayName));
        return false;
    }
    result = checkSource(*text, expected, acceptedNamesOf(path));
    for (const std::string& echo : result.echoes)
        say(echo);
    if (result.delayMilliseconds > 0)
        Sleep(result.delayMilliseconds);
    if (!result.ok()) {
        say(displayName + "(" + std::to_string(result.problem->line) + ") Error: " + result.problem->message);
        return false;
    }
    totalLines_ += result.lineCount;
    modules_.push_back({result.name, displayName, result.lineCount});
    return true;
}

bool Compiler::compileUsedUnits(const std::string& userPath, const std::vector<UsedUnit>& uses) {
    for (const UsedUnit& unit : uses) {
        const std::string& named = unit.inFile;
        std::string path = named.empty() ? folderOf(userPath) + unit.name + ".pas"
                                         : (isRootedPath(named) ? named : folderOf(userPath) + named);
        if (!fileExists(path)) {
            if (named.empty())
                continue; // a unit of the library (SysUtils, Forms, ...): not the stand-in's business
            say(longNameOf(userPath) + "(" + std::to_string(unit.line) +
                ") Fatal: File not found: " + quoted(named));
            return false;
        }
        path = fullPathOf(path);
        if (!compiledOrSeen_.insert(lowerCase(path)).second)
            continue;
        if (!compileUnit(path, unit.name))
            return false;
    }
    return true;
}

bool Compiler::compileUnit(const std::string& path, const std::string& usedName) {
    const std::string compiledUnit = productBaseOf(path) + ".dcu";
    if (!invocation_.buildAll && isUpToDate(compiledUnit, path)) {
        modules_.push_back({usedName, longNameOf(path), std::nullopt});
        return true;
    }
    if (!removeStaleProduct(compiledUnit))
        return false;
    SourceCheckResult result;
    if (!compileSource(path, ExpectedKind::Unit, result) || !compileUsedUnits(path, result.uses))
        return false;
    const Module unit{result.name, longNameOf(path), result.lineCount};
    say(unit.sourceName + "(" + std::to_string(result.lineCount) + ")");
    return writeProduct(compiledUnit, compiledUnitText(unit));
}

bool Compiler::removeStaleProduct(const std::string& path) {
    if (removeFile(path))
        return true;
    say("Fatal: Could not remove the old output file " + quoted(path));
    return false;
}

bool Compiler::writeProduct(const std::string& path, const std::string& bytes) {
    if (writeFile(path, bytes))
        return true;
    removeFile(path);
    say("Fatal: Could not create output file " + quoted(path));
    return false;
}

std::optional<std::string> Compiler::templateBytes(const char* templateName) {
    auto bytes = readFile(programFolder_ + templateName);
    if (!bytes)
        say("Fatal: The stand-in's template " + quoted(templateName) + " is missing beside dcc32.exe");
    return bytes;
}

} // namespace standin
