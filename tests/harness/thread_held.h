// A thread of another process held while the object lives, as a program
// busy elsewhere: the thread handles nothing meanwhile (so ask its windows
// nothing), and takes up its queue once let go.
#pragma once

#include <windows.h>

namespace harness {

class ThreadHeld {
public:
    explicit ThreadHeld(HANDLE thread)
        : thread_(thread), held_(thread != nullptr && SuspendThread(thread) != static_cast<DWORD>(-1)) {}
    ~ThreadHeld() {
        if (held_) ResumeThread(thread_);
    }
    ThreadHeld(const ThreadHeld&) = delete;
    ThreadHeld& operator=(const ThreadHeld&) = delete;

    bool Held() const { return held_; }

private:
    HANDLE thread_;
    bool held_;
};

}  // namespace harness
