#include "prefs/options_core.h"

#include "base/SysUtils.h"

#include <cstdio>
#include <memory>

namespace options {

std::string DetectedCompilerPath(const TVariant& delphiEntry) {
    return rtl::ExtractFilePath(VariantToText(delphiEntry)) + "dcc32.exe";
}

std::optional<std::string> CompilerConfigPath(const std::string& compilerPath) {
    if (compilerPath.empty())
        return std::nullopt;
    return rtl::ExtractFilePath(compilerPath) + "Dcc32.cfg";
}

std::string CompilerConfigText(const std::string& unitAliases, const std::string& searchPath) {
    std::string text = "-a " + unitAliases + "\r\n";
    for (const char* switchLetter : {"u", "i", "o", "r"})
        text += std::string("-") + switchLetter + "\"" + searchPath + "\"\r\n";
    return text;
}

bool WriteCompilerConfig(const std::string& compilerPath, const std::string& unitAliases,
                         const std::string& searchPath) {
    const auto path = CompilerConfigPath(compilerPath);
    if (!path)
        return false;
    const auto closeFile = [](std::FILE* f) { std::fclose(f); };
    std::unique_ptr<std::FILE, decltype(closeFile)> file(std::fopen(path->c_str(), "wb"), closeFile);
    if (!file)
        return false;
    const std::string text = CompilerConfigText(unitAliases, searchPath);
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    return std::fclose(file.release()) == 0 && written;
}

} // namespace options
