#pragma once
// One use of the port router: started on construction, finished on destruction (whose status
// nobody needs). The router's statuses are HRESULT-like: negative for a failure.
#include <windows.h>

class CPortRouterSession {
public:
    CPortRouterSession();
    ~CPortRouterSession();
    CPortRouterSession(const CPortRouterSession&) = delete;
    CPortRouterSession& operator=(const CPortRouterSession&) = delete;

    // The start's status: a failure ends the operation with it.
    LONG Status() const { return m_status; }

private:
    LONG m_status;
};
