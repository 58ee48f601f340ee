#include "CommandLine_core.h"

#include "PathText_core.h"

namespace standin {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::size_t pos = 0;
    const std::size_t size = commandLine.size();

    std::string program;
    bool quoted = false;
    for (; pos < size && (quoted || !isBlank(commandLine[pos])); ++pos) {
        if (commandLine[pos] == '"')
            quoted = !quoted;
        else
            program += commandLine[pos];
    }
    arguments.push_back(program);

    for (;;) {
        while (pos < size && isBlank(commandLine[pos]))
            ++pos;
        if (pos >= size)
            return arguments;
        std::string argument;
        quoted = false;
        while (pos < size && (quoted || !isBlank(commandLine[pos]))) {
            std::size_t backslashes = 0;
            while (pos < size && commandLine[pos] == '\\') {
                ++backslashes;
                ++pos;
            }
            if (pos < size && commandLine[pos] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && pos + 1 < size && commandLine[pos + 1] == '"') {
                    argument += '"'; // "" inside quotes stands for one quote
                    ++pos;
                } else {
                    quoted = !quoted;
                }
                ++pos;
            } else {
                argument.append(backslashes, '\\');
                if (pos < size && (quoted || !isBlank(commandLine[pos])))
                    argument += commandLine[pos++];
            }
        }
        arguments.push_back(argument);
    }
}

Invocation parseInvocation(const std::vector<std::string>& arguments) {
    Invocation invocation;
    for (const std::string& argument : arguments) {
        const bool isSwitch = !argument.empty() && (argument[0] == '-' || argument[0] == '/');
        if (isSwitch && sameText(argument.substr(1), "b"))
            invocation.buildAll = true;
        else if (isSwitch && sameText(argument.substr(1), "gd"))
            invocation.detailedMap = true;
        else if (isSwitch)
            invocation.ignoredSwitches.push_back(argument);
        else if (invocation.source.empty())
            invocation.source = argument;
        else
            invocation.ignoredArguments.push_back(argument);
    }
    return invocation;
}

} // namespace standin
