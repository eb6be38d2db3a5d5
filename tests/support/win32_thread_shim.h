// GoogleTest wants std::mutex and std::condition_variable, which the win32
// thread model of this GCC does not provide. Test binaries of the 32-bit build
// get these small stand-ins on the Win32 primitives (forced include).
#pragma once

#include <bits/c++config.h>

#if defined(_WIN32) && !defined(_GLIBCXX_HAS_GTHREADS)
#include <windows.h>

#include <bits/std_mutex.h>
#include <bits/unique_lock.h>

namespace std {

class mutex {
public:
    mutex() { InitializeCriticalSection(&section_); }
    ~mutex() { DeleteCriticalSection(&section_); }
    mutex(const mutex&) = delete;
    mutex& operator=(const mutex&) = delete;
    void lock() { EnterCriticalSection(&section_); }
    bool try_lock() { return TryEnterCriticalSection(&section_) != 0; }
    void unlock() { LeaveCriticalSection(&section_); }
    CRITICAL_SECTION* native_handle() { return &section_; }

private:
    CRITICAL_SECTION section_;
};

// Waits by polling: GoogleTest only waits on it in its own threading tests, and
// the condition-variable API would need Vista headers.
class condition_variable {
public:
    condition_variable() = default;
    condition_variable(const condition_variable&) = delete;
    condition_variable& operator=(const condition_variable&) = delete;
    void notify_one() {}
    void notify_all() {}
    void wait(unique_lock<mutex>& lock) {
        lock.unlock();
        Sleep(1);
        lock.lock();
    }
    template <typename Predicate>
    void wait(unique_lock<mutex>& lock, Predicate ready) {
        while (!ready()) wait(lock);
    }
};

}  // namespace std
#endif
