#include "KivErrorReporter.h"

#include "com/ErrorInfo.h"
#include "com/UniqueBstr.h"

#include <ole2.h>

HRESULT ReportKivResult(HRESULT hr, REFCLSID clsid, REFIID iid)
{
    if (SUCCEEDED(hr))
        return hr;
    LPOLESTR progId = nullptr;
    ProgIDFromCLSID(clsid, &progId);
    tolv::com::SetErrorInfoFor(hr, progId ? progId : L"", L"", iid);
    CoTaskMemFree(progId);
    return hr;
}
