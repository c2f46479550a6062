#pragma once
// The queue of one receiving thread: any thread sends, only the owner receives, and the
// owner's counting semaphore is released once per sent entry.
#include "RequestEntry.h"

#include "com/CriticalSection.h"

#include <memory>
#include <windows.h>

class CTolvTrace;

class CKivMessageQueue {
public:
    explicit CKivMessageQueue(CTolvTrace* trace = nullptr) : m_trace(trace) {}
    ~CKivMessageQueue();
    CKivMessageQueue(const CKivMessageQueue&) = delete;
    CKivMessageQueue& operator=(const CKivMessageQueue&) = delete;

    // The semaphore belongs to the receiving thread, which creates it; returns whether one was
    // set before.
    bool SetSemaphore(HANDLE semaphore);

    // Takes the entry on success. On a closed queue (E_FAIL) the entry stays with the caller.
    // On semaphore overflow (KIV_E_REQUEST_PANIC) an entry that nobody waits for stays queued
    // without a count; one with a completion event is handed back, because its poster will not
    // wait and its response record would be written after the poster has gone.
    HRESULT Send(std::unique_ptr<CRequestEntry>& entry);
    HRESULT Receive(std::unique_ptr<CRequestEntry>& entry);
    // Closes the queue for good; posters still waiting are woken with E_ABORT.
    HRESULT Release();

    bool IsClosed() const;

private:
    CTolvTrace* m_trace;
    mutable tolv::com::critical_section m_lock;
    bool m_closed = false;
    HANDLE m_semaphore = nullptr;
    CRequestEntry* m_head = nullptr;
};
