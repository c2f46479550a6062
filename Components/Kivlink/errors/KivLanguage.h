// The suite's user-interface language, as EnvironmentServer reports it.
#pragma once

#include <windows.h>

#include "com/CriticalSection.h"

class CTolvTrace;

// One read from EnvironmentServer on the calling thread (COM must be initialised there):
// the language, or 0 when the server could not be created or did not answer.
LANGID KivReadEnvironmentLanguage(CTolvTrace* trace);

// The language once read, kept for the object's life; until a read succeeds every request
// asks the server again. Safe to use from any thread.
class CKivLanguage {
public:
    CKivLanguage() = default;
    CKivLanguage(const CKivLanguage&) = delete;
    CKivLanguage& operator=(const CKivLanguage&) = delete;

    // The kept language, reading it first when there is none yet; 0 if that read failed.
    LANGID Get(CTolvTrace* trace);
    // The kept language without reading; 0 if none was read yet.
    LANGID Current() const;

private:
    tolv::com::critical_section m_lock;
    mutable volatile LONG m_language = 0;
};
