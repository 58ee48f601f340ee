#pragma once
// A timer whose ticks come from a worker thread of its own and are run on the user-interface thread,
// so they keep arriving while that thread waits in a loop that processes messages (the compiler's
// wait, modal windows). The worker only sleeps and hands each tick over, waiting until it has run;
// it starts when the timer is first able to tick and pauses while the timer cannot tick.
#include "controls/ThreadTmr_core.h"
#include "win/Controls.h"

#include <cstdint>
#include <memory>

class TTimerThread;

class TThreadTimer : public TComponent {
  public:
    explicit TThreadTimer(TComponent* owner);
    ~TThreadTimer() override;
    std::string ClassName() const override { return "TThreadTimer"; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t interval);
    TThreadPriority ThreadPriority() const { return priority_; }
    // Takes effect when the worker next starts ticking.
    void SetThreadPriority(TThreadPriority priority) { priority_ = priority; }
    void SetOnTimer(TNotifyEvent handler);

    // Whether the worker exists and is ticking.
    bool Ticking() const;

  private:
    friend class TTimerThread;
    void UpdateThread();
    // Runs on the user-interface thread for each tick.
    void DoTimer();

    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
    TThreadPriority priority_ = TThreadPriority::tpNormal;
    TNotifyEvent onTimer_;
    std::unique_ptr<TTimerThread> thread_;
};
