#pragma once
// The queued form of a request record.
#include "RequestData.h"
#include "Ring.h"

#include <windows.h>

class CTolvTrace;

class CRequestEntry : public Ring<CRequestEntry> {
public:
    static constexpr long KIND_REQUEST = 1;

    explicit CRequestEntry(const CRequestData& record);
    ~CRequestEntry();
    CRequestEntry(const CRequestEntry&) = delete;
    CRequestEntry& operator=(const CRequestEntry&) = delete;

    // The event the serving thread sets when it is done: the waiting poster's, who owns it and
    // outlives the entry's use of it.
    void SetCompletionEvent(HANDLE completion) { m_completionEvent = completion; }
    HANDLE CompletionEvent() const { return m_completionEvent; }

    long Kind() const { return m_kind; }
    // The record to execute: the poster's own record when it asked for a response.
    HRESULT GetRecord(CRequestData** record, CTolvTrace* trace);
    const CRequestData& QueuedRecord() const { return m_record; }

private:
    HANDLE m_completionEvent = nullptr;
    long m_kind = KIND_REQUEST;
    CRequestData m_record;

protected:
    // Tests build entries of other kinds to see them refused.
    void SetKind(long kind) { m_kind = kind; }
};
