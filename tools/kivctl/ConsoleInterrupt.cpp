#include "tools/kivctl/ConsoleInterrupt.h"

namespace {

// The handler gets no context: the one installed instance.
CConsoleInterrupt* volatile g_current = nullptr;

}  // namespace

CConsoleInterrupt::CConsoleInterrupt()
{
    if (FAILED(m_event.create(true, false))) {
        return;
    }
    if (InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(&g_current), this, nullptr) != nullptr) {
        return;
    }
    m_installed = SetConsoleCtrlHandler(&CConsoleInterrupt::Handler, TRUE) != FALSE;
    if (!m_installed) {
        g_current = nullptr;
    }
}

CConsoleInterrupt::~CConsoleInterrupt()
{
    if (m_installed) {
        // Unpublished first, so that a handler starting now no longer finds this object.
        g_current = nullptr;
        SetConsoleCtrlHandler(&CConsoleInterrupt::Handler, FALSE);
    }
}

bool CConsoleInterrupt::Requested() const
{
    return InterlockedCompareExchange(const_cast<volatile LONG*>(&m_requested), 0, 0) != 0;
}

void CConsoleInterrupt::Request()
{
    InterlockedExchange(&m_requested, 1);
    m_event.set();
}

BOOL WINAPI CConsoleInterrupt::Handler(DWORD kind)
{
    if (kind != CTRL_C_EVENT && kind != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    CConsoleInterrupt* current = g_current;
    if (current == nullptr || current->Requested()) {
        return FALSE;
    }
    current->Request();
    return TRUE;
}
