// COM objects without ATL. An implementing class derives from its interfaces, lists what it
// answers in an interface map and leaves IUnknown to ComObject<T>:
//
//     class CThing : public IThing, public IOther {
//     public:
//         using interface_map = tolv::com::interface_map<IThing, IOther>;
//         HRESULT FinalConstruct();   // optional, runs after construction
//         void FinalRelease();        // optional, runs before destruction
//         ... IThing and IOther methods ...
//     };
//     com_ptr<IThing> thing;
//     RETURN_IF_FAILED(tolv::com::MakeComObject<CThing>(thing));
//
// Only the listed interface identifiers are answered: a class whose dual interfaces derive
// from IDispatch does not answer IDispatch unless the map says so (entry_via<IDispatch, IDual>).
// IUnknown is always answered, with the first entry's pointer, so the identity is stable.
//
// Aggregation: objects refuse an outer unknown (CLASS_E_NOAGGREGATION) for now. Queries go
// through the map with AddRef on the answered pointer, so an aggregatable variant only needs
// a second object class whose IUnknown forwards to the outer one.
#pragma once

#include <new>
#include <type_traits>
#include <utility>

#include <windows.h>
#include <ole2.h>

#include "com/ComPtr.h"
#include "com/HResult.h"
#include "com/Module.h"

namespace tolv::com {

// Answers __uuidof(I) with the class's own I.
template <class I>
struct entry {
    using tolv_interface_map_entry = void;

    template <class T>
    static IUnknown* identity(T* self) noexcept
    {
        return static_cast<I*>(self);
    }
    template <class T>
    static bool find(T* self, REFIID iid, void** result, HRESULT& hr) noexcept
    {
        if (!InlineIsEqualGUID(iid, __uuidof(I))) {
            return false;
        }
        I* answer = static_cast<I*>(self);
        answer->AddRef();
        *result = answer;
        hr = S_OK;
        return true;
    }
};

// Answers __uuidof(I) through the class's Via, for a base reached by more than one path
// (IDispatch through one chosen dual interface).
template <class I, class Via>
struct entry_via {
    using tolv_interface_map_entry = void;

    template <class T>
    static IUnknown* identity(T* self) noexcept
    {
        return static_cast<I*>(static_cast<Via*>(self));
    }
    template <class T>
    static bool find(T* self, REFIID iid, void** result, HRESULT& hr) noexcept
    {
        if (!InlineIsEqualGUID(iid, __uuidof(I))) {
            return false;
        }
        I* answer = static_cast<I*>(static_cast<Via*>(self));
        answer->AddRef();
        *result = answer;
        hr = S_OK;
        return true;
    }
};

// Answers an identifier given by address with the class's Via: for event dispinterfaces
// (DIID_...) that a sink implements as plain IDispatch.
template <const IID* Iid, class Via>
struct entry_iid {
    using tolv_interface_map_entry = void;

    template <class T>
    static IUnknown* identity(T* self) noexcept
    {
        return static_cast<Via*>(self);
    }
    template <class T>
    static bool find(T* self, REFIID iid, void** result, HRESULT& hr) noexcept
    {
        if (!InlineIsEqualGUID(iid, *Iid)) {
            return false;
        }
        Via* answer = static_cast<Via*>(self);
        answer->AddRef();
        *result = answer;
        hr = S_OK;
        return true;
    }
};

// Passes a query for I on to an object the class keeps in a com_ptr member (an aggregated
// inner object, or a contained one whose identity the caller accepts as separate). An empty
// member answers E_NOINTERFACE. Cannot be the first entry.
template <class I, auto Member>
struct entry_delegate {
    using tolv_interface_map_entry = void;

    template <class T>
    static bool find(T* self, REFIID iid, void** result, HRESULT& hr) noexcept
    {
        if (!InlineIsEqualGUID(iid, __uuidof(I))) {
            return false;
        }
        const auto& inner = self->*Member;
        hr = inner ? inner->QueryInterface(iid, result) : E_NOINTERFACE;
        if (FAILED(hr)) {
            *result = nullptr;
        }
        return true;
    }
};

namespace detail {

template <class E, class = void>
struct is_map_entry : std::false_type {
};
template <class E>
struct is_map_entry<E, std::void_t<typename E::tolv_interface_map_entry>> : std::true_type {
};

// A plain interface type in the map stands for entry<I>.
template <class E>
using map_entry_t = std::conditional_t<is_map_entry<E>::value, E, entry<E>>;

template <class First, class... Rest>
struct first_of {
    using type = First;
};

}  // namespace detail

template <class... Entries>
struct interface_map {
    static_assert(sizeof...(Entries) > 0, "an interface map needs at least one entry");
    using first_entry = detail::map_entry_t<typename detail::first_of<Entries...>::type>;

    template <class T>
    static IUnknown* identity(T* self) noexcept
    {
        return first_entry::identity(self);
    }

    template <class T>
    static HRESULT query(T* self, REFIID iid, void** result) noexcept
    {
        if (result == nullptr) {
            return E_POINTER;
        }
        *result = nullptr;
        if (InlineIsEqualGUID(iid, IID_IUnknown)) {
            IUnknown* answer = identity(self);
            answer->AddRef();
            *result = answer;
            return S_OK;
        }
        HRESULT hr = E_NOINTERFACE;
        (void)(detail::map_entry_t<Entries>::find(self, iid, result, hr) || ...);
        return hr;
    }
};

// The IUnknown of an object built on an interface map, without a reference.
template <class T>
IUnknown* IdentityOf(T* self) noexcept
{
    return T::interface_map::identity(self);
}

// For objects that only the process itself holds (event sinks it hands to other servers,
// class objects, keepers): COM's rule is that only objects clients hold keep a local server
// running, so these do not lock the module.
struct no_module_lock {};

template <class T, class ModuleLock = module_lock>
class ComObject final : private ModuleLock, public T {
public:
    template <class... Args>
    explicit ComObject(Args&&... args) : T(std::forward<Args>(args)...)
    {
    }
    ~ComObject()
    {
        if constexpr (kHasFinalRelease) {
            T::FinalRelease();
        }
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        return T::interface_map::query(static_cast<T*>(this), iid, result);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG count = InterlockedDecrement(&m_references);
        if (count == 0) {
            // FinalRelease may take and drop references to itself: the count stays far from 0
            // so that it cannot delete twice, and TryAddRef sees the object is going.
            m_references = kDying;
            delete this;
        }
        return static_cast<ULONG>(count);
    }
    // A reference for whoever found the object through a raw pointer in a list that the object
    // leaves in FinalRelease: refused once the last reference has gone, so that the finder
    // never revives an object in its destructor. Overrides a `virtual bool TryAddRef()` of T.
    bool TryAddRef() noexcept
    {
        LONG count = m_references;
        while (count > 0 && count < kDying) {
            const LONG seen = InterlockedCompareExchange(&m_references, count + 1, count);
            if (seen == count) {
                return true;
            }
            count = seen;
        }
        return false;
    }

    // Constructs, runs FinalConstruct and hands out the first reference. A failing
    // FinalConstruct destroys the object again (FinalRelease runs then too, as in ATL, so
    // that it can undo partial work) and its result is returned.
    template <class... Args>
    static HRESULT Create(com_ptr<ComObject>& result, Args&&... args) noexcept
    {
        result.reset();
        com_ptr<ComObject> object;
        try {
            object.attach(new ComObject(std::forward<Args>(args)...));
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
        object->m_references = 1;
        if constexpr (kHasFinalConstruct) {
            HRESULT hr = E_UNEXPECTED;
            try {
                hr = object->T::FinalConstruct();
            } catch (...) {
            }
            if (FAILED(hr)) {
                return hr;
            }
        }
        result = std::move(object);
        return S_OK;
    }

    // The class factory's entry: a new object queried for `iid`.
    static HRESULT CreateQueried(IUnknown* outer, REFIID iid, void** result) noexcept
    {
        if (result == nullptr) {
            return E_POINTER;
        }
        *result = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        com_ptr<ComObject> object;
        RETURN_IF_FAILED(Create(object));
        return object->QueryInterface(iid, result);
    }

private:
    static constexpr bool kHasFinalConstruct = requires(ComObject & object) { object.T::FinalConstruct(); };
    static constexpr bool kHasFinalRelease = requires(ComObject & object) { object.T::FinalRelease(); };

    static constexpr LONG kDying = 0x40000000;
    volatile LONG m_references = 0;
};

template <class T>
using InternalComObject = ComObject<T, no_module_lock>;

// Creates a T and hands out its interface I.
template <class T, class I, class... Args>
HRESULT MakeComObject(com_ptr<I>& result, Args&&... args) noexcept
{
    result.reset();
    com_ptr<ComObject<T>> object;
    const HRESULT hr = ComObject<T>::Create(object, std::forward<Args>(args)...);
    if (FAILED(hr)) {
        return hr;
    }
    return object.query(result);
}

}  // namespace tolv::com
