#include "output/PrintJob.h"

#include "win/Dialogs.h"

bool TPrintJob::PageSetup() {
    InformationMessage(SPrintingNotAvailable);
    return false;
}

void TPrintJob::PrintLines(const TStringList&) {
    InformationMessage(SPrintingNotAvailable);
}
