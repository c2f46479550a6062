#pragma once
// The record every piece of work travels in: filled by a COM method or an event handler,
// copied into a queue entry and executed by the thread that serves its type.
#include "ExecutionFlagSet.h"
#include "KivString.h"
#include "RequestTypes.h"

#include <windows.h>
#include <oleauto.h>
#include <string>

class CKivWorker;
struct IKivlinkActionEventsCallback;

// m_OutArg positions in use.
enum KivOutArg {
    OUT_TEXT = 0,  // BSTR* result text, or IUnknown** stream
    OUT_FIRST_LONG = 2,  // long* token, first of a pair, or action of an existing-file question
    OUT_SECOND_LONG = 3,
    OUT_BOOL = 4,  // VARIANT_BOOL* has-subfolders, or response in event records
    OUT_VARIANT = 8,  // VARIANT* entries
    OUT_ARG_COUNT = 10,
};

class CRequestData {
public:
    CRequestData() = default;
    explicit CRequestData(long type) : m_typ(type) {}

    // Copies share the strings and copy the pointers as they are (no references taken).
    CRequestData(const CRequestData&) = default;
    CRequestData& operator=(const CRequestData&) = default;

    // The record as trace text, one field a line.
    std::string Dump() const;
    // A long or copy request's ExecutionFlags travel in its first integer.
    CKivExecutionFlags Flags() const { return CKivExecutionFlags(m_firstIntegerArg); }

    long m_typ = 0;
    CKivString m_firstStringArg;
    CKivString m_secondStringArg;
    CKivString m_thirdStringArg;
    long m_firstIntegerArg = 0;
    long m_secondIntegerArg = 0;
    long m_thirdIntegerArg = 0;
    bool m_firstBooleanArg = false;
    bool m_secondBooleanArg = false;
    void* m_firstInterfaceArg = nullptr;
    void* m_secondInterfaceArg = nullptr;
    DATE m_firstDateArg = 0;
    DATE m_secondDateArg = 0;
    DATE m_thirdDateArg = 0;
    void* m_OutArg[OUT_ARG_COUNT] = {};
    HRESULT m_RetVal = S_OK;
    CKivString m_SelectedDevice;
    CRequestData* m_Response = nullptr;
    IKivlinkActionEventsCallback* m_Callback = nullptr;
    CKivWorker* m_pSource = nullptr;
};
