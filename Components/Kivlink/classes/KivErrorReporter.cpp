#include "KivErrorReporter.h"

#include "KivServerTrace.h"

#include "core/KivlinkModule.h"
#include "errors/KivErrorObject.h"

HRESULT ReportKivResult(HRESULT hr, REFCLSID clsid, REFIID iid)
{
    if (SUCCEEDED(hr))
        return hr;
    CExeModule* module = CExeModule::Current();
    LANGID language = module ? module->GetLanguage() : 0;
    HMODULE instance = module ? module->GetInstance() : GetModuleHandleW(nullptr);
    return KivReportError(hr, clsid, iid, language, instance, KivServerTrace());
}
