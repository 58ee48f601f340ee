#pragma once
// "Dcc32.cfg" beside the compiler: one switch per line. The front end writes "-a " with the unit
// aliases and "-u", "-i", "-o", "-r" each with the quoted library search path.
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct ConfigEntry {
    std::string label; // "Unit aliases", "Unit search path", ... or "Ignored line"
    std::string value;
};

// One entry per non-blank line, in the file's order.
std::vector<ConfigEntry> parseCompilerConfig(std::string_view text);

} // namespace standin
