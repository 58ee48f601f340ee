#include "controls/ThreadTmr.h"

#include "base/SysUtils.h"
#include "win/Forms.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
const char* const kSyncClass = "TnwkTimerSync";
constexpr UINT kTickMessage = WM_APP + 1;
} // namespace

// The worker and the hidden window its ticks are posted to. The window belongs to the thread that made
// the timer (the user-interface thread); the worker touches nothing but its own state and the post.
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
    static LRESULT CALLBACK SyncProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    void Execute();
    void RunTick();

    TThreadTimer& timer_;
    HWND window_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool running_ = false;
    bool terminated_ = false;
    bool tickPending_ = false;
    std::uint32_t interval_ = 0;
    int priority_ = 0;
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
    window_ = CreateWindowExA(0, kSyncClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!window_)
        throw Exception("Cannot create the timer's window");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    thread_ = std::thread([this] { Execute(); });
}

TTimerThread::~TTimerThread() {
    {
        const std::lock_guard lock(mutex_);
        terminated_ = true;
    }
    wake_.notify_all();
    thread_.join();
    // A tick posted but not yet run goes with the window: none arrives after this.
    DestroyWindow(window_);
}

void TTimerThread::Suspend() {
    const std::lock_guard lock(mutex_);
    running_ = false;
}

void TTimerThread::Resume(std::uint32_t interval, int priority) {
    {
        const std::lock_guard lock(mutex_);
        running_ = true;
        interval_ = interval;
        priority_ = priority;
    }
    wake_.notify_all();
}

bool TTimerThread::Running() {
    const std::lock_guard lock(mutex_);
    return running_;
}

void TTimerThread::Execute() {
    int appliedPriority = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return running_ || terminated_; });
        if (terminated_)
            break;
        if (priority_ != appliedPriority) {
            appliedPriority = priority_;
            SetThreadPriority(GetCurrentThread(), appliedPriority);
        }
        // Sleeps for the interval; a pause or the end cuts the sleep short.
        const auto interval = std::chrono::milliseconds(interval_);
        if (wake_.wait_for(lock, interval, [this] { return !running_ || terminated_; }))
            continue;
        tickPending_ = true;
        lock.unlock();
        const bool posted = PostMessageA(window_, kTickMessage, 0, 0) != FALSE;
        lock.lock();
        if (!posted)
            tickPending_ = false;
        wake_.wait(lock, [this] { return !tickPending_ || terminated_; });
    }
}

void TTimerThread::RunTick() {
    try {
        timer_.DoTimer();
    } catch (...) {
        ShowCurrentException();
    }
    {
        const std::lock_guard lock(mutex_);
        tickPending_ = false;
    }
    wake_.notify_all();
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
