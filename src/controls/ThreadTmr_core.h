#pragma once
// The thread timer's rules apart from any thread: when its worker may run, and the system's relative
// priority of each thread priority.
#include <cstdint>

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

namespace threadtmr {

// The relative thread priority: −15, −2, −1, 0, 1, 2, 15 in the order of the enumeration.
int SystemPriority(TThreadPriority priority);

// The worker ticks only with an interval, while enabled and with a handler to call.
constexpr bool ShouldRun(bool enabled, std::uint32_t interval, bool hasHandler) {
    return enabled && interval != 0 && hasHandler;
}

} // namespace threadtmr
