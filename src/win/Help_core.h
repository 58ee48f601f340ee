#pragma once
// Where a help request goes. The help file "tnwk.hlp" beside the program is opened through WinHelp
// when it is there; without it (Windows 10 and later no longer open WinHelp files at all) the request
// opens the HTML page of its context from the "help" folder beside the program.
#include <string>
#include <string_view>

namespace help {

enum class HelpRoute { None, WinHelp, HtmlPage };

struct HelpRequest {
    HelpRoute route = HelpRoute::None;
    std::string file; // the help file for WinHelp, the page's full path for an HTML page
    int context = 0;
};

// The page of a help context: 2 the main window, 17 the preferences, 27 the output window; any other
// context the main window's page, which links to the others.
std::string PageOfContext(int context);

// helpFile: the application's help file (empty when none was set); helpFileExists: whether it is there.
HelpRequest RouteHelp(std::string_view helpFile, bool helpFileExists, int context);

} // namespace help
