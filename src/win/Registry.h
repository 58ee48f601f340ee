#pragma once
// Registry routines shared by the program and its tests.
#include <windows.h>

#include <string>

// Deletes the key `name` below `parent` with every key beneath it; a key that cannot be opened is
// left alone.
void DeleteKeyTree(HKEY parent, const std::string& name);
