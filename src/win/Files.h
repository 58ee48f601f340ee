#pragma once
// Questions to the file system, asked the one way the whole program asks them.
#include <string>

// True when a file (not a folder) of that name exists.
bool FileExists(const std::string& fileName);
// True when a folder of that name exists.
bool DirectoryExists(const std::string& name);
