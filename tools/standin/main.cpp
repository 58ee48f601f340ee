// dcc32.exe: a stand-in for Delphi 3's command-line compiler, so that the front end can be run and
// tested where no Delphi is installed.
#include "CommandLine_core.h"
#include "Compiler.h"

#include <cstdio>
#include <exception>
#include <windows.h>

int main() {
    try {
        std::vector<std::string> arguments = standin::splitCommandLine(GetCommandLineA());
        arguments.erase(arguments.begin());
        return standin::Compiler(standin::parseInvocation(arguments), stdout).run();
    } catch (const std::exception& error) {
        std::printf("Fatal: %s\n", error.what());
        return 1;
    }
}
