#include "Components/Kivlink/errors/KivLanguage.h"

#include "com/ComPtr.h"
#include "resources/EnvironmentServerLanguage.h"
#include "trace/TolvTrace.h"

namespace {

void Trace(CTolvTrace* trace, int level, const char* text)
{
    if (trace != nullptr) {
        trace->Format(level, "%s", text);
    }
}

}  // namespace

LANGID KivReadEnvironmentLanguage(CTolvTrace* trace)
{
    Trace(trace, 2, "GetLanguage: CreateInstance(__uuidof(EnvironmentServer)");
    LANGID language = 0;
    tolv::com::com_ptr<IEnvironmentServerLanguage> server;
    if (FAILED(tolv::resources::CreateEnvironmentServer(CLSCTX_ALL, server))) {
        Trace(trace, 1, "CreateInstance: EnvironmentServer failed");
    } else {
        short answer = 0;
        if (FAILED(server->GetLanguage(&answer))) {
            Trace(trace, 1, "GetLanguage failed");
        } else {
            language = static_cast<LANGID>(answer);
        }
    }
    Trace(trace, 2, "EnvironmentServer leaves scope and lifetime");
    return language;
}

LANGID CKivLanguage::Get(CTolvTrace* trace)
{
    if (const LANGID kept = Current()) {
        return kept;
    }
    // One reader at a time: a second thread waits for the first one's answer instead of
    // starting the server again.
    tolv::com::auto_lock lock(m_lock);
    if (const LANGID kept = Current()) {
        return kept;
    }
    const LANGID language = KivReadEnvironmentLanguage(trace);
    InterlockedExchange(&m_language, language);
    return language;
}

LANGID CKivLanguage::Current() const
{
    return static_cast<LANGID>(InterlockedCompareExchange(&m_language, 0, 0));
}
