#pragma once
// The few file operations the stand-in compiler needs, on ANSI paths.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

// The folder of the running program, with its trailing backslash.
std::string programFolder();
std::string fullPathOf(const std::string& path);
// The long form of an existing file's name part (its short 8.3 alias turned back); the name part
// of path when the system knows none.
std::string longNameOf(const std::string& path);

bool fileExists(const std::string& path); // a file, not a folder
// Last write time in the system's 100-nanosecond units; empty when there is no such file.
std::optional<std::uint64_t> lastWriteTime(const std::string& path);

// True when no file of that name is left (also when there was none).
bool removeFile(const std::string& path);

std::optional<std::string> readFile(const std::string& path);
// Creates or replaces the file; false when it could not be written completely.
bool writeFile(const std::string& path, std::string_view bytes);

} // namespace standin
