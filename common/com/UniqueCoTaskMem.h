// unique_cotaskmem<T>: the owner of memory that COM's task allocator handed out (strings of
// PROPPAGEINFO, the shell's item identifier lists, ...), freed with CoTaskMemFree.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <cwchar>
#include <string_view>

namespace tolv::com {

template <class T>
class unique_cotaskmem {
public:
    unique_cotaskmem() noexcept = default;
    explicit unique_cotaskmem(T* memory) noexcept : m_memory(memory) {}
    ~unique_cotaskmem() { reset(); }

    unique_cotaskmem(unique_cotaskmem&& other) noexcept : m_memory(other.release()) {}
    unique_cotaskmem& operator=(unique_cotaskmem&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    unique_cotaskmem(const unique_cotaskmem&) = delete;
    unique_cotaskmem& operator=(const unique_cotaskmem&) = delete;

    T* get() const noexcept { return m_memory; }
    explicit operator bool() const noexcept { return m_memory != nullptr; }
    T* release() noexcept
    {
        T* memory = m_memory;
        m_memory = nullptr;
        return memory;
    }
    void reset(T* memory = nullptr) noexcept
    {
        if (m_memory != memory) {
            CoTaskMemFree(m_memory);
        }
        m_memory = memory;
    }

private:
    T* m_memory = nullptr;
};

using unique_cotaskmem_string = unique_cotaskmem<wchar_t>;

// A copy of `text` in task memory, for [out] LPOLESTR fields; empty owner when out of memory.
inline unique_cotaskmem_string CoTaskMemCopy(std::wstring_view text) noexcept
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
    if (copy == nullptr) {
        return {};
    }
    wmemcpy(copy, text.data(), text.size());
    copy[text.size()] = L'\0';
    return unique_cotaskmem_string(copy);
}

}  // namespace tolv::com
