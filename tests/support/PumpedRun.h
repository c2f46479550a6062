#pragma once
// Code under test that sends to windows of the test's thread (a job enabling a page's button,
// a dialog's owner) runs on a thread of its own while the test's thread keeps pumping.
#include "tests/support/MessagePump.h"
#include "tests/support/TestThread.h"

#include <atomic>
#include <functional>

// Runs `work` on a new thread, then `whileRunning` (if any) on this one, then pumps until
// `work` has ended or `timeoutMs` has passed; `work`'s result, or `unfinished` after the
// time-out. `timedOut` (may be null) says which.
template <class Result>
Result RunWhilePumping(const std::function<Result()>& work, const std::function<void()>& whileRunning, DWORD timeoutMs,
                       DWORD sliceMs, Result unfinished, bool* timedOut = nullptr)
{
    std::atomic<bool> done{false};
    Result result = unfinished;
    TestThread thread([&] {
        result = work();
        done = true;
    });
    if (whileRunning)
        whileRunning();
    const bool ended = PumpMessagesUntil([&] { return done.load(); }, timeoutMs, sliceMs);
    if (timedOut)
        *timedOut = !ended;
    thread.Join();
    return result;
}
