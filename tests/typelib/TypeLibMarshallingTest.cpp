// The type-library marshaller builds a proxy and a stub for each automation interface from
// the library's own descriptions; a type it cannot describe fails that build.
#include <gtest/gtest.h>

#include "KivlinkTypeLibFile.h"

// oleaut32's marshaller is built on these rpcrt4 entry points; the SDK headers omit them.
extern "C" {
HRESULT WINAPI CreateProxyFromTypeInfo(ITypeInfo* typeInfo, IUnknown* outer, REFIID iid, IRpcProxyBuffer** proxy,
                                       void** object);
HRESULT WINAPI CreateStubFromTypeInfo(ITypeInfo* typeInfo, REFIID iid, IUnknown* server, IRpcStubBuffer** stub);
}

namespace typelib_test {
namespace {

// Stands in for the aggregating object of a proxy and for the server of a stub; neither is
// ever called through, so it answers every interface with itself.
class Placeholder final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = static_cast<IUnknown*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

class ApartmentScope {
public:
    ApartmentScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ApartmentScope()
    {
        if (SUCCEEDED(m_hr)) {
            CoUninitialize();
        }
    }
    ApartmentScope(const ApartmentScope&) = delete;
    ApartmentScope& operator=(const ApartmentScope&) = delete;
    HRESULT status() const { return m_hr; }

private:
    HRESULT m_hr;
};

TEST(TypeLibMarshalling, EveryAutomationInterfaceYieldsAProxyAndAStub)
{
    // Dual interfaces delegate their IDispatch part to the system's own proxy and stub.
    ApartmentScope apartment;
    ASSERT_TRUE(SUCCEEDED(apartment.status()));
    ComPtr<ITypeLib> library = LoadKivlinkTypeLib();
    int marshallable = 0;
    for (auto& [name, info] : ReadAllTypes(library.Get())) {
        const TypeInfoSummary summary = Summarize(info.Get());
        const bool dual = summary.kind == TKIND_DISPATCH && (summary.flags & TYPEFLAG_FDUAL) != 0;
        if (!dual && summary.kind != TKIND_INTERFACE) {
            continue;
        }
        SCOPED_TRACE(Narrow(name));
        ++marshallable;
        Placeholder placeholder;

        ComPtr<IRpcStubBuffer> stub;
        EXPECT_EQ(S_OK, CreateStubFromTypeInfo(info.Get(), summary.guid, &placeholder, &stub));
        if (stub) {
            stub->Disconnect();
        }

        ComPtr<IRpcProxyBuffer> proxy;
        void* object = nullptr;
        EXPECT_EQ(S_OK, CreateProxyFromTypeInfo(info.Get(), &placeholder, summary.guid, &proxy, &object));
        if (object != nullptr) {
            static_cast<IUnknown*>(object)->Release();
        }
    }
    // Seventeen dual interfaces and the three sinks.
    EXPECT_EQ(20, marshallable);
}

}  // namespace
}  // namespace typelib_test
