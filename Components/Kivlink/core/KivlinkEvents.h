#pragma once
// The two internal interfaces through which the server's main thread drives the objects that
// clients hold: connect and disconnect notices to every listener, progress and completion of
// a long operation to the object that started it.
#include <windows.h>
#include <oleauto.h>

#include <utility>

// The main thread calls these objects outside the module lock, since a client's event handler
// may create or release objects, and both take that lock. It pins each one first, under the
// lock: TryAddRef takes a reference unless the object is already being destroyed.
struct IKivlinkPinnable {
    virtual bool TryAddRef() noexcept = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;

protected:
    ~IKivlinkPinnable() = default;
};

// Owns one pin: the reference that TryAddRef took, given back when the owner goes.
template <class I>
class CKivlinkPin {
public:
    CKivlinkPin() = default;
    // Empty when the object refused (it is dying).
    static CKivlinkPin Try(I* object) noexcept
    {
        CKivlinkPin pin;
        if (object && object->TryAddRef())
            pin.m_object = object;
        return pin;
    }
    CKivlinkPin(CKivlinkPin&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    CKivlinkPin& operator=(CKivlinkPin&& other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    CKivlinkPin(const CKivlinkPin&) = delete;
    CKivlinkPin& operator=(const CKivlinkPin&) = delete;
    ~CKivlinkPin()
    {
        if (m_object)
            m_object->Release();
    }

    I* get() const noexcept { return m_object; }
    I* operator->() const noexcept { return m_object; }
    explicit operator bool() const noexcept { return m_object != nullptr; }

private:
    I* m_object = nullptr;
};

struct IKivlinkEventsBroadcast : IKivlinkPinnable {
    virtual HRESULT Connected(BSTR deviceName, BSTR deviceInformation) = 0;
    virtual HRESULT Disconnected(BSTR deviceName) = 0;

protected:
    ~IKivlinkEventsBroadcast() = default;
};

struct IKivlinkActionEventsCallback : IKivlinkPinnable {
    virtual HRESULT Progress(long action, BSTR path, long percentage, VARIANT_BOOL* cancel) = 0;
    virtual HRESULT Completion(long action, BSTR path, long result) = 0;

protected:
    ~IKivlinkActionEventsCallback() = default;
};
