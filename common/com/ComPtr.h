// com_ptr<T>: a reference-counted interface pointer, released by its owner.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include <windows.h>
#include <ole2.h>

namespace tolv::com {

template <class T>
class com_ptr {
public:
    using element_type = T;

    com_ptr() noexcept = default;
    com_ptr(std::nullptr_t) noexcept {}
    // Takes a reference of its own; use attach() to adopt one that is already counted.
    explicit com_ptr(T* pointer) noexcept : m_pointer(pointer) { add_ref(); }
    com_ptr(const com_ptr& other) noexcept : m_pointer(other.m_pointer) { add_ref(); }
    com_ptr(com_ptr&& other) noexcept : m_pointer(other.detach()) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    com_ptr(const com_ptr<U>& other) noexcept : m_pointer(other.get())
    {
        add_ref();
    }
    ~com_ptr() { reset(); }

    com_ptr& operator=(const com_ptr& other) noexcept
    {
        com_ptr(other).swap(*this);
        return *this;
    }
    com_ptr& operator=(com_ptr&& other) noexcept
    {
        com_ptr(std::move(other)).swap(*this);
        return *this;
    }
    com_ptr& operator=(std::nullptr_t) noexcept
    {
        reset();
        return *this;
    }

    T* get() const noexcept { return m_pointer; }
    T* operator->() const noexcept { return m_pointer; }
    explicit operator bool() const noexcept { return m_pointer != nullptr; }

    void reset() noexcept
    {
        T* pointer = m_pointer;
        m_pointer = nullptr;
        if (pointer != nullptr) {
            pointer->Release();
        }
    }
    // Adopts a reference the caller already holds.
    void attach(T* pointer) noexcept
    {
        reset();
        m_pointer = pointer;
    }
    // Gives up the reference to the caller.
    T* detach() noexcept
    {
        T* pointer = m_pointer;
        m_pointer = nullptr;
        return pointer;
    }
    // Releases the current object and hands out the slot for an [out] parameter.
    T** put() noexcept
    {
        reset();
        return &m_pointer;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    // The slot itself, without releasing: for APIs that take T** as [in, out].
    T** addressof() noexcept { return &m_pointer; }
    void swap(com_ptr& other) noexcept { std::swap(m_pointer, other.m_pointer); }

    // Hands a new reference to an [out] parameter.
    HRESULT copy_to(T** target) const noexcept
    {
        if (target == nullptr) {
            return E_POINTER;
        }
        *target = m_pointer;
        if (m_pointer != nullptr) {
            m_pointer->AddRef();
        }
        return S_OK;
    }

    // QueryInterface into `result`, which is empty whenever the answer is a failure.
    template <class U>
    HRESULT query(com_ptr<U>& result) const noexcept
    {
        // Through a temporary, so that querying into the source pointer itself is safe.
        com_ptr<U> answer;
        const HRESULT hr = query_to(__uuidof(U), answer.put_void());
        result = std::move(answer);
        return hr;
    }
    HRESULT query_to(REFIID iid, void** result) const noexcept
    {
        if (result == nullptr) {
            return E_POINTER;
        }
        *result = nullptr;
        if (m_pointer == nullptr) {
            return E_POINTER;
        }
        const HRESULT hr = m_pointer->QueryInterface(iid, result);
        if (FAILED(hr)) {
            *result = nullptr;
        }
        return hr;
    }
    // The interface if the object answers it, an empty pointer otherwise.
    template <class U>
    com_ptr<U> try_query() const noexcept
    {
        com_ptr<U> result;
        query(result);
        return result;
    }

private:
    void add_ref() noexcept
    {
        if (m_pointer != nullptr) {
            m_pointer->AddRef();
        }
    }

    T* m_pointer = nullptr;
};

template <class T, class U>
bool operator==(const com_ptr<T>& left, const com_ptr<U>& right) noexcept
{
    return left.get() == right.get();
}
template <class T>
bool operator==(const com_ptr<T>& left, std::nullptr_t) noexcept
{
    return left.get() == nullptr;
}
template <class T>
bool operator==(const com_ptr<T>& left, const T* right) noexcept
{
    return left.get() == right;
}

// Whether two interface pointers belong to the same COM object (compares their IUnknown).
bool IsSameObject(IUnknown* left, IUnknown* right) noexcept;

}  // namespace tolv::com
