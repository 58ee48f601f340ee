#pragma once
// Small routines of the compile job: short paths, file sizes, wiping a file.
#include <windows.h>

#include <cstdint>
#include <string>

// The short (8.3) form of a path as the file system reports it, or the path unchanged when it
// reports none; a bare name is looked up in the current directory.
std::string ShortPath(const std::string& path);
// The size of the first file the name matches (every attribute accepted), or 0.
std::uint32_t FileSizeOf(const std::string& fileName);
// Overwrites the file with "X" bytes and deletes it; nothing is reported.
void WipeFile(const std::string& fileName);
// Creates or empties "compile.bat" and writes its line in the code page the command interpreter reads
// batch files in (the OEM code page); errors are ignored.
void WriteBatchFile(const std::string& fileName, const std::string& line);
// The name made absolute against the current directory; a name the file name edit would refuse
// stays as it is, so that its message shows it as given.
std::string AbsoluteFileName(const std::string& name);
