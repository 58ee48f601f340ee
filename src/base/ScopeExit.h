#pragma once
// Runs an action when the scope ends, on every way out of it (a flag put back, a panel hidden).
#include <utility>

template <class Action> class TScopeExit {
  public:
    explicit TScopeExit(Action action) : action_(std::move(action)) {}
    ~TScopeExit() { action_(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

  private:
    Action action_;
};
