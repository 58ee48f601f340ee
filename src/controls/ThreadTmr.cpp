#include "controls/ThreadTmr.h"

#include "base/SysUtils.h"
#include "win/Forms.h"
#include "win/Handles.h"

#include <thread>

namespace {
const char* const kSyncClass = "TnwkTimerSync";
constexpr UINT kTickMessage = WM_APP + 1;
} // namespace

// The worker and the hidden window its ticks are posted to. The window belongs to the thread that made
// the timer (the user-interface thread); the worker touches nothing but its state and the post. The
// state is guarded by the system's slim lock and condition variable, which wait in user space where
// they can (under Wine on Linux, on futexes): an event or semaphore would cost a round trip to the
// Wine server for every wait and every signal, several on every tick.
class TTimerThread {
  public:
    explicit TTimerThread(TThreadTimer& timer);
    ~TTimerThread();
    TTimerThread(const TTimerThread&) = delete;
    TTimerThread& operator=(const TTimerThread&) = delete;

    void Suspend();
    void Resume(std::uint32_t interval, int priority);
    bool Running();

  private:
    class TLock {
      public:
        explicit TLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
        ~TLock() { ReleaseSRWLockExclusive(&lock_); }
        TLock(const TLock&) = delete;
        TLock& operator=(const TLock&) = delete;

      private:
        SRWLOCK& lock_;
    };
    static LRESULT CALLBACK SyncProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    // Changes the state under the lock and wakes the worker.
    template <class Change> void Update(Change&& change);
    void Execute();
    // With the lock held: sleeps for the interval; false when the timer is paused, changed or ended
    // meanwhile.
    bool SleepInterval();
    void RunTick();

    TThreadTimer& timer_;
    // A tick posted but not yet run goes with the window: none arrives after the timer.
    WindowHandle window_;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    bool running_ = false;
    bool terminated_ = false;
    bool tickPending_ = false;
    std::uint32_t interval_ = 0;
    int priority_ = 0;
    // Counts the changes, so that a sleep knows whether one came.
    std::uint64_t generation_ = 0;
    std::thread thread_;
};

TTimerThread::TTimerThread(TThreadTimer& timer) : timer_(timer) {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TTimerThread::SyncProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kSyncClass;
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    window_.reset(CreateWindowExA(0, kSyncClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr));
    if (!window_)
        throw Exception("Cannot create the timer's window");
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    thread_ = std::thread([this] { Execute(); });
}

TTimerThread::~TTimerThread() {
    Update([this] { terminated_ = true; });
    thread_.join();
}

template <class Change> void TTimerThread::Update(Change&& change) {
    {
        const TLock lock(lock_);
        change();
        ++generation_;
    }
    WakeAllConditionVariable(&changed_);
}

void TTimerThread::Suspend() {
    Update([this] { running_ = false; });
}

void TTimerThread::Resume(std::uint32_t interval, int priority) {
    Update([&] {
        running_ = true;
        interval_ = interval;
        priority_ = priority;
    });
}

bool TTimerThread::Running() {
    const TLock lock(lock_);
    return running_;
}

void TTimerThread::Execute() {
    int appliedPriority = 0;
    const TLock lock(lock_);
    for (;;) {
        while (!running_ && !terminated_)
            SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
        if (terminated_)
            break;
        if (priority_ != appliedPriority) {
            appliedPriority = priority_;
            SetThreadPriority(GetCurrentThread(), appliedPriority);
        }
        if (!SleepInterval())
            continue;
        tickPending_ = true;
        ReleaseSRWLockExclusive(&lock_);
        const bool posted = PostMessageA(window_.get(), kTickMessage, 0, 0) != FALSE;
        AcquireSRWLockExclusive(&lock_);
        if (!posted)
            tickPending_ = false;
        // Waits until the user-interface thread has run the tick.
        while (tickPending_ && !terminated_)
            SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
    }
}

bool TTimerThread::SleepInterval() {
    const std::uint64_t generation = generation_;
    const ULONGLONG deadline = GetTickCount64() + interval_;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        SleepConditionVariableSRW(&changed_, &lock_, static_cast<DWORD>(deadline - now), 0);
        // The sleep gave up the lock: another thread may have changed the state meanwhile.
        // cppcheck-suppress knownConditionTrueFalse
        if (generation_ != generation)
            return false;
    }
    return true;
}

void TTimerThread::RunTick() {
    try {
        timer_.DoTimer();
    } catch (...) {
        ShowCurrentException();
    }
    {
        const TLock lock(lock_);
        tickPending_ = false;
    }
    WakeAllConditionVariable(&changed_);
}

LRESULT CALLBACK TTimerThread::SyncProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == kTickMessage) {
        if (auto* self = reinterpret_cast<TTimerThread*>(GetWindowLongPtrA(wnd, GWLP_USERDATA)))
            self->RunTick();
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

TThreadTimer::TThreadTimer(TComponent* owner) : TComponent(owner) {}

TThreadTimer::~TThreadTimer() {
    enabled_ = false;
    thread_.reset();
}

void TThreadTimer::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    UpdateThread();
}

void TThreadTimer::SetInterval(std::uint32_t interval) {
    if (interval_ == interval)
        return;
    interval_ = interval;
    UpdateThread();
}

void TThreadTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateThread();
}

bool TThreadTimer::Ticking() const {
    return thread_ && thread_->Running();
}

void TThreadTimer::UpdateThread() {
    if (thread_)
        thread_->Suspend();
    if (!threadtmr::ShouldRun(enabled_, interval_, static_cast<bool>(onTimer_)))
        return;
    // The worker starts only once the timer can tick, not when the timer is made.
    if (!thread_)
        thread_ = std::make_unique<TTimerThread>(*this);
    thread_->Resume(interval_, threadtmr::SystemPriority(priority_));
}

void TThreadTimer::DoTimer() {
    if (enabled_ && onTimer_)
        onTimer_(this);
}
