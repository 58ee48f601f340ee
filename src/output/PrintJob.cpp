#include "output/PrintJob.h"

#include "app/xProcs.h"

bool TPrintJob::PageSetup() {
    InformationMessage(SPrintingNotAvailable);
    return false;
}

void TPrintJob::PrintLines(const TStringList&) {
    InformationMessage(SPrintingNotAvailable);
}
