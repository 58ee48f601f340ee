#pragma once
// Printing the output window's text: the page setup (margins, printer, paper) and the print job.
// The line printer and its page setup dialog are not built yet; until they are, both operations tell
// the user so instead of pretending to print.
#include "base/Classes.h"

class TPrintJob {
  public:
    // Lets the user set up the page; true when new margins were confirmed.
    bool PageSetup();
    // Prints the lines as plain lines in one print job.
    void PrintLines(const TStringList& lines);
};

inline constexpr const char* SPrintingNotAvailable = "Printing is not available in this version yet.";
