#include "com/StubRegistrationKeeper.h"

#include <new>
#include <utility>

namespace tolv::com {

namespace {

// Answers for the interfaces it was made for, so that COM builds their stubs; the marshalled
// data never leaves the keeper, so none of their methods is ever called.
class DormantObject final : public IUnknown {
public:
    explicit DormantObject(std::vector<IID> interfaces) : m_interfaces(std::move(interfaces)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        bool known = IsEqualIID(iid, IID_IUnknown);
        for (const IID& served : m_interfaces)
            known = known || IsEqualIID(iid, served);
        if (!known)
            return E_NOINTERFACE;
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

private:
    ~DormantObject() = default;

    const std::vector<IID> m_interfaces;
    volatile LONG m_references = 1;
};

}  // namespace

HRESULT stub_registration_keeper::keep(std::initializer_list<IID> interfaces) noexcept
{
    try {
        com_ptr<IUnknown> dormant;
        dormant.attach(new DormantObject(std::vector<IID>(interfaces)));
        // One interface that cannot be kept (no marshaller registered) does not stop the others.
        HRESULT first = S_OK;
        for (const IID& iid : interfaces) {
            com_ptr<IStream> stream;
            HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
            if (SUCCEEDED(hr))
                hr = CoMarshalInterface(stream.get(), iid, dormant.get(), MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLESTRONG);
            if (SUCCEEDED(hr))
                m_marshalled.push_back(std::move(stream));
            else if (SUCCEEDED(first))
                first = hr;
        }
        return first;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

void stub_registration_keeper::release() noexcept
{
    for (com_ptr<IStream>& stream : m_marshalled) {
        const LARGE_INTEGER start{};
        if (SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
            CoReleaseMarshalData(stream.get());
    }
    m_marshalled.clear();
}

}  // namespace tolv::com
