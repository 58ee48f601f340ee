#pragma once
// The compiler's command line: Windows' argument splitting and the few switches the front end uses.
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// Splits like the C runtime of Windows: blanks separate, double quotes group, 2n backslashes before a
// quote give n backslashes, 2n+1 give n and a literal quote. The first argument (the program) ends at
// the first blank outside quotes, backslashes untouched.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

struct Invocation {
    bool buildAll = false;    // -b
    bool detailedMap = false; // -gd
    std::string source;       // the first argument that is no switch
    std::vector<std::string> ignoredSwitches;
    std::vector<std::string> ignoredArguments; // further file names
};

// arguments: without the program itself. A switch starts with '-' or '/'.
Invocation parseInvocation(const std::vector<std::string>& arguments);

} // namespace standin
