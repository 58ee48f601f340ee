#pragma once
// File-name pieces as the stand-in compiler needs them; a folder part runs up to and including the
// last '\', '/' or ':'.
#include <string>
#include <string_view>

namespace standin {

std::string folderOf(std::string_view path);
std::string namePartOf(std::string_view path);
// From the last '.' of the name part, dot included; empty when there is none.
std::string extensionOf(std::string_view path);
// The name part without its extension.
std::string baseNameOf(std::string_view path);
// A drive ("C:..."), a root ("\...") or a UNC name: not relative to a folder.
bool isRootedPath(std::string_view path);

std::string lowerCase(std::string_view text); // ASCII letters only
std::string upperCase(std::string_view text); // ASCII letters only
bool sameText(std::string_view a, std::string_view b);

} // namespace standin
