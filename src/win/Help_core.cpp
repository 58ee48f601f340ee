#include "win/Help_core.h"

#include "base/SysUtils.h"

namespace help {

std::string PageOfContext(int context) {
    switch (context) {
    case 17:
        return "prefs.htm";
    case 27:
        return "output.htm";
    default:
        return "main.htm";
    }
}

HelpRequest RouteHelp(std::string_view helpFile, bool helpFileExists, int context) {
    if (helpFile.empty())
        return {};
    if (helpFileExists)
        return {HelpRoute::WinHelp, std::string(helpFile), context};
    return {HelpRoute::HtmlPage, rtl::ExtractFilePath(helpFile) + "help\\" + PageOfContext(context), context};
}

} // namespace help
