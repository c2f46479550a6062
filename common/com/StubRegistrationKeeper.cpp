#include "com/StubRegistrationKeeper.h"

#include "com/ComObject.h"

#include <new>
#include <utility>

namespace tolv::com {

namespace {

// Answers for the interfaces it was made for, so that COM builds their stubs; the marshalled
// data never leaves the keeper, so none of their methods is ever called.
class DormantObject : public IUnknown {
public:
    // Any interface it was made for answers with the one identity.
    struct dormant_entry {
        using tolv_interface_map_entry = void;
        static IUnknown* identity(DormantObject* self) noexcept { return self; }
        static bool find(DormantObject* self, REFIID iid, void** result, HRESULT& hr) noexcept
        {
            for (const IID& served : self->m_interfaces) {
                if (IsEqualIID(iid, served)) {
                    self->AddRef();
                    *result = static_cast<IUnknown*>(self);
                    hr = S_OK;
                    return true;
                }
            }
            return false;
        }
    };
    using interface_map = ::tolv::com::interface_map<dormant_entry>;

    explicit DormantObject(std::vector<IID> interfaces) : m_interfaces(std::move(interfaces)) {}

private:
    const std::vector<IID> m_interfaces;
};

}  // namespace

HRESULT stub_registration_keeper::keep(std::initializer_list<IID> interfaces) noexcept
{
    try {
        com_ptr<InternalComObject<DormantObject>> dormant;
        const HRESULT created = InternalComObject<DormantObject>::Create(dormant, std::vector<IID>(interfaces));
        if (FAILED(created))
            return created;
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
