#pragma once
// The preferences window's two file rules: the compiler path proposed from the Delphi 3 entry, and
// the compiler configuration file "Dcc32.cfg" written beside the compiler.
#include "base/Types.h"

#include <optional>
#include <string>

namespace options {

// The Delphi 3 library settings below HKEY_CURRENT_USER: "SearchPath" and "UnitAliases".
inline constexpr const char* kDelphiLibraryKey = "Software\\Borland\\Delphi\\3.0\\Library";

// The folder part of the Delphi 3 entry's text followed by "dcc32.exe"; the bare "dcc32.exe" when
// the entry is missing or has no folder.
std::string DetectedCompilerPath(const TVariant& delphiEntry);

// The folder part of the compiler path followed by "Dcc32.cfg"; empty when there is no compiler path.
std::optional<std::string> CompilerConfigPath(const std::string& compilerPath);

// Exactly five lines ended by CR LF: "-a " + aliases, then -u, -i, -o and -r each with the search
// path between one pair of double quotes. The texts are copied byte for byte.
std::string CompilerConfigText(const std::string& unitAliases, const std::string& searchPath);

// Writes the configuration file beside the compiler, replacing any earlier one. Nothing is written
// without a compiler path. Returns whether the whole file was written; failures are not reported
// further, and a partly written file stays as far as it got.
bool WriteCompilerConfig(const std::string& compilerPath, const std::string& unitAliases,
                         const std::string& searchPath);

} // namespace options
