#include "tests/kivlink_errors/FakeEnvironmentServer.h"

#include "resources/EnvironmentServerLanguage.h"
#include "com/ClassFactory.h"
#include "com/ComObject.h"
#include "com/CriticalSection.h"

namespace {

tolv::com::critical_section g_lock;
FakeEnvironmentBehaviour g_behaviour;
volatile LONG g_creations = 0;
volatile LONG g_languageCalls = 0;
volatile LONG g_liveObjects = 0;

FakeEnvironmentBehaviour CurrentBehaviour()
{
    tolv::com::auto_lock lock(g_lock);
    return g_behaviour;
}

class CFakeEnvironmentServer : public IEnvironmentServerLanguage {
public:
    using interface_map = tolv::com::interface_map<IEnvironmentServerLanguage,
                                                   tolv::com::entry_via<IDispatch, IEnvironmentServerLanguage>>;

    CFakeEnvironmentServer() { InterlockedIncrement(&g_liveObjects); }
    virtual ~CFakeEnvironmentServer() { InterlockedDecrement(&g_liveObjects); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FirstMethod() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SecondMethod() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetLanguage(short* language) override
    {
        InterlockedIncrement(&g_languageCalls);
        const FakeEnvironmentBehaviour behaviour = CurrentBehaviour();
        if (behaviour.callDelayMs != 0) {
            Sleep(behaviour.callDelayMs);
        }
        if (SUCCEEDED(behaviour.answer)) {
            *language = behaviour.language;
        }
        return behaviour.answer;
    }
};

// Answers IUnknown only: an object that is not an environment server.
class CStranger : public IPersist {
public:
    using interface_map = tolv::com::interface_map<IPersist>;
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override
    {
        *clsid = kEnvironmentServerClsid;
        return S_OK;
    }
};

HRESULT CreateFake(IUnknown* outer, REFIID iid, void** result)
{
    InterlockedIncrement(&g_creations);
    const FakeEnvironmentBehaviour behaviour = CurrentBehaviour();
    if (FAILED(behaviour.creation)) {
        *result = nullptr;
        return behaviour.creation;
    }
    if (!behaviour.offersInterface) {
        return tolv::com::ComObject<CStranger>::CreateQueried(outer, iid, result);
    }
    return tolv::com::ComObject<CFakeEnvironmentServer>::CreateQueried(outer, iid, result);
}

}  // namespace

CFakeEnvironmentServerRegistration::CFakeEnvironmentServerRegistration(const FakeEnvironmentBehaviour& behaviour)
{
    SetBehaviour(behaviour);
    g_creations = 0;
    g_languageCalls = 0;
    tolv::com::com_ptr<IClassFactory> factory;
    m_result = tolv::com::ClassFactoryBase::Create(&CreateFake, factory);
    if (SUCCEEDED(m_result)) {
        m_result = CoRegisterClassObject(kEnvironmentServerClsid, factory.get(), CLSCTX_INPROC_SERVER,
                                         REGCLS_MULTIPLEUSE, &m_cookie);
    }
}

CFakeEnvironmentServerRegistration::~CFakeEnvironmentServerRegistration()
{
    if (m_cookie != 0) {
        CoRevokeClassObject(m_cookie);
    }
}

void CFakeEnvironmentServerRegistration::SetBehaviour(const FakeEnvironmentBehaviour& behaviour)
{
    tolv::com::auto_lock lock(g_lock);
    g_behaviour = behaviour;
}

LONG CFakeEnvironmentServerRegistration::Creations() const
{
    return InterlockedCompareExchange(&g_creations, 0, 0);
}

LONG CFakeEnvironmentServerRegistration::LanguageCalls() const
{
    return InterlockedCompareExchange(&g_languageCalls, 0, 0);
}

LONG CFakeEnvironmentServerRegistration::LiveObjects() const
{
    return InterlockedCompareExchange(&g_liveObjects, 0, 0);
}
