// unique_safearray: the one owner of a SAFEARRAY; safearray_lock: scoped access to its data.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace tolv::com {

class unique_safearray {
public:
    unique_safearray() noexcept = default;
    explicit unique_safearray(SAFEARRAY* array) noexcept : m_array(array) {}
    ~unique_safearray() { reset(); }

    unique_safearray(unique_safearray&& other) noexcept : m_array(other.release()) {}
    unique_safearray& operator=(unique_safearray&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    unique_safearray(const unique_safearray&) = delete;
    unique_safearray& operator=(const unique_safearray&) = delete;

    // A one-dimensional array of `count` zeroed elements, lower bound 0.
    HRESULT create_vector(VARTYPE type, ULONG count) noexcept
    {
        SAFEARRAY* array = SafeArrayCreateVector(type, 0, count);
        if (array == nullptr) {
            return E_OUTOFMEMORY;
        }
        reset(array);
        return S_OK;
    }

    SAFEARRAY* get() const noexcept { return m_array; }
    SAFEARRAY** put() noexcept
    {
        reset();
        return &m_array;
    }
    SAFEARRAY* release() noexcept
    {
        SAFEARRAY* array = m_array;
        m_array = nullptr;
        return array;
    }
    void reset(SAFEARRAY* array = nullptr) noexcept
    {
        if (m_array != nullptr && m_array != array) {
            SafeArrayDestroy(m_array);
        }
        m_array = array;
    }
    explicit operator bool() const noexcept { return m_array != nullptr; }

    // Elements of the first dimension; 0 for an empty owner.
    ULONG count() const noexcept
    {
        LONG lower = 0;
        LONG upper = -1;
        if (m_array == nullptr || FAILED(SafeArrayGetLBound(m_array, 1, &lower)) ||
            FAILED(SafeArrayGetUBound(m_array, 1, &upper))) {
            return 0;
        }
        return static_cast<ULONG>(upper - lower + 1);
    }
    VARTYPE element_type() const noexcept
    {
        VARTYPE type = VT_EMPTY;
        if (m_array != nullptr) {
            SafeArrayGetVartype(m_array, &type);
        }
        return type;
    }

private:
    SAFEARRAY* m_array = nullptr;
};

// Locks an array's data for direct access for the life of the object. SafeArrayDestroy
// refuses a locked array (DISP_E_ARRAYISLOCKED), so the lock must end before the owner.
class [[nodiscard]] safearray_lock {
public:
    explicit safearray_lock(SAFEARRAY* array) noexcept : m_array(array)
    {
        m_result = array ? SafeArrayAccessData(array, &m_data) : E_INVALIDARG;
        if (FAILED(m_result)) {
            m_data = nullptr;
        }
    }
    ~safearray_lock()
    {
        if (SUCCEEDED(m_result)) {
            SafeArrayUnaccessData(m_array);
        }
    }
    safearray_lock(const safearray_lock&) = delete;
    safearray_lock& operator=(const safearray_lock&) = delete;

    HRESULT result() const noexcept { return m_result; }
    template <class T>
    T* data() const noexcept
    {
        return static_cast<T*>(m_data);
    }

private:
    SAFEARRAY* m_array;
    void* m_data = nullptr;
    HRESULT m_result;
};

}  // namespace tolv::com
