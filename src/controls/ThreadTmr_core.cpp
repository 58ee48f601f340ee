#include "controls/ThreadTmr_core.h"

namespace threadtmr {

int SystemPriority(TThreadPriority priority) {
    switch (priority) {
    case TThreadPriority::tpIdle:
        return -15;
    case TThreadPriority::tpLowest:
        return -2;
    case TThreadPriority::tpLower:
        return -1;
    case TThreadPriority::tpHigher:
        return 1;
    case TThreadPriority::tpHighest:
        return 2;
    case TThreadPriority::tpTimeCritical:
        return 15;
    case TThreadPriority::tpNormal:
    default:
        return 0;
    }
}

} // namespace threadtmr
