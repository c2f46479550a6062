#include "KivStreamErrors.h"

#include "core/KivlinkModule.h"
#include "errors/KivErrorObject.h"

#include "trace/TraceResult.h"

#include <objidl.h>

TOLV_TRACE_UNIT("KivStreamErrors");

HRESULT PropagateStreamError(HRESULT hr) noexcept
{
    CTolvTrace* trace = tolv::trace::CurrentTrace();
    if (trace)
        trace->Format(2, "KivSTREAM: PropagateError");
    try {
        CExeModule* module = CExeModule::Current();
        const LANGID language = module ? module->GetLanguage() : 0;
        const HMODULE instance = module ? module->GetInstance() : GetModuleHandleW(nullptr);
        // A stream is no registered class: its error objects name no source.
        return KivReportError(hr, CLSID_NULL, IID_IStream, language, instance, trace);
    } catch (...) {
        // No memory for the text: the caller still learns the code.
        return hr;
    }
}
