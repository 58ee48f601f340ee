#include "PathText_core.h"

#include <algorithm>

namespace standin {

namespace {

std::size_t namePartStart(std::string_view path) {
    const auto separator = path.find_last_of("\\/:");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::string folderOf(std::string_view path) {
    return std::string(path.substr(0, namePartStart(path)));
}

std::string namePartOf(std::string_view path) {
    return std::string(path.substr(namePartStart(path)));
}

std::string extensionOf(std::string_view path) {
    const std::string name = namePartOf(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string baseNameOf(std::string_view path) {
    const std::string name = namePartOf(path);
    return name.substr(0, name.size() - extensionOf(name).size());
}

bool isRootedPath(std::string_view path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

std::string lowerCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lowerAscii);
    return result;
}

std::string upperCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), upperAscii);
    return result;
}

bool sameText(std::string_view a, std::string_view b) {
    return lowerCase(a) == lowerCase(b);
}

} // namespace standin
