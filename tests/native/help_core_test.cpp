#include "win/Help_core.h"

#include <gtest/gtest.h>

using help::HelpRoute;

TEST(HelpRoute, TheHelpFileWhenPresentElseThePageOfTheContextBesideTheProgram) {
    struct Case {
        const char* helpFile;
        bool exists;
        int context;
        HelpRoute route;
        const char* file;
    };
    const Case cases[] = {
        {"C:\\Tools\\Tarnwick\\tnwk.hlp", true, 17, HelpRoute::WinHelp, "C:\\Tools\\Tarnwick\\tnwk.hlp"},
        {"C:\\Tools\\Tarnwick\\tnwk.hlp", false, 2, HelpRoute::HtmlPage,
         "C:\\Tools\\Tarnwick\\help\\main.htm"},
        {"C:\\Tools\\Tarnwick\\tnwk.hlp", false, 17, HelpRoute::HtmlPage,
         "C:\\Tools\\Tarnwick\\help\\prefs.htm"},
        {"C:\\Tools\\Tarnwick\\tnwk.hlp", false, 27, HelpRoute::HtmlPage,
         "C:\\Tools\\Tarnwick\\help\\output.htm"},
        {"C:\\Tools\\Tarnwick\\tnwk.hlp", false, 5, HelpRoute::HtmlPage,
         "C:\\Tools\\Tarnwick\\help\\main.htm"},
        {"", false, 2, HelpRoute::None, ""},
    };
    for (const Case& c : cases) {
        const help::HelpRequest request = help::RouteHelp(c.helpFile, c.exists, c.context);
        EXPECT_EQ(request.route, c.route) << c.helpFile << " " << c.context;
        EXPECT_EQ(request.file, c.file) << c.context;
        if (c.route != HelpRoute::None) {
            EXPECT_EQ(request.context, c.context);
        }
    }
}
