// Ctrl+C (and Ctrl+Break) while a long operation runs. The console calls the handler on a
// thread of its own, so the handler only sets a flag and an event; the apartment's thread
// reads the flag when the next progress event asks. A second Ctrl+C is left to the system,
// which ends the program at once.
#pragma once

#include <windows.h>

#include "com/UniqueHandle.h"

class CConsoleInterrupt {
public:
    CConsoleInterrupt();
    ~CConsoleInterrupt();
    CConsoleInterrupt(const CConsoleInterrupt&) = delete;
    CConsoleInterrupt& operator=(const CConsoleInterrupt&) = delete;

    bool Installed() const { return m_installed; }
    bool Requested() const;
    // Set once Ctrl+C was pressed; for waits that should wake at once.
    HANDLE Event() const { return m_event.get(); }

    // What the handler does, callable without a console.
    void Request();

private:
    static BOOL WINAPI Handler(DWORD kind);

    tolv::com::unique_event m_event;
    volatile LONG m_requested = 0;
    bool m_installed = false;
};
