#include "resources/EnvironmentServerLanguage.h"

#include <ole2.h>

#include "com/CreationRetry.h"

namespace tolv::resources {

HRESULT CreateEnvironmentServer(DWORD contexts, tolv::com::com_ptr<IEnvironmentServerLanguage>& server)
{
    tolv::com::com_ptr<IUnknown> object;
    const HRESULT created = tolv::com::CreateInstanceRetrying(kEnvironmentServerClsid, contexts, object);
    if (FAILED(created)) {
        return created;
    }
    const HRESULT running = OleRun(object.get());
    if (FAILED(running)) {
        return running;
    }
    return object.query(server);
}

HRESULT ReadSuiteLanguage(DWORD contexts, LANGID& language)
{
    tolv::com::com_ptr<IEnvironmentServerLanguage> server;
    const HRESULT created = CreateEnvironmentServer(contexts, server);
    if (FAILED(created)) {
        return created;
    }
    short answer = 0;
    const HRESULT asked = server->GetLanguage(&answer);
    if (FAILED(asked)) {
        return asked;
    }
    language = static_cast<LANGID>(answer);
    return S_OK;
}

}  // namespace tolv::resources
