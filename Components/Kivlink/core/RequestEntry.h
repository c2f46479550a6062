#pragma once
// The queued form of a request record.
#include "RequestData.h"

#include <windows.h>

class CTolvTrace;

class CRequestEntry {
public:
    static constexpr long KIND_REQUEST = 1;

    explicit CRequestEntry(const CRequestData& record);
    // Unlinks the entry; the completion event belongs to the waiting poster, who closes it.
    ~CRequestEntry();
    CRequestEntry(const CRequestEntry&) = delete;
    CRequestEntry& operator=(const CRequestEntry&) = delete;

    // Creates the auto-reset completion event if there is none.
    HRESULT CreateCompletionEvent();
    HANDLE CompletionEvent() const { return m_completionEvent; }

    long Kind() const { return m_kind; }
    // The record to execute: the poster's own record when it asked for a response.
    HRESULT GetRecord(CRequestData** record, CTolvTrace* trace);
    const CRequestData& QueuedRecord() const { return m_record; }

private:
    friend class CKivMessageQueue;
    void Unlink();

    CRequestEntry* m_prev;
    CRequestEntry* m_next;
    HANDLE m_completionEvent = nullptr;
    long m_kind = KIND_REQUEST;
    CRequestData m_record;

protected:
    // Tests build entries of other kinds to see them refused.
    void SetKind(long kind) { m_kind = kind; }
};
