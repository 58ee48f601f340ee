#pragma once
// Small routines of the compile job: short paths, wiping a file, and the information message.
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
// True when a file (not a folder) of that name exists.
bool FileExists(const std::string& fileName);

// Set once at start: the system's minor version byte is 95 or more / the platform is NT.
bool MinorVersion95();
bool PlatformIsNT();

// A modal message with the information icon and one OK button, captioned "Information".
void InformationMessage(const std::string& text);
// MessageBoxA with every other window of the thread disabled while it shows.
int TaskModalMessageBox(const std::string& caption, const std::string& text, UINT style);
