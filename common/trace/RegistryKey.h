// An owned registry key opened for reading, with the narrow value readers the trace needs.
#pragma once
#include <windows.h>
#include <cstddef>

namespace tolv::trace {

class CRegistryKey {
public:
    CRegistryKey() noexcept = default;
    ~CRegistryKey() { Close(); }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    bool OpenForReading(HKEY root, const char* subKey) noexcept;
    void Close() noexcept;
    bool IsOpen() const noexcept { return m_key != nullptr; }

    // False when the value is missing, is not a DWORD or cannot be read.
    bool ReadDword(const char* name, DWORD& value) const noexcept;

    // Size in bytes of the value's data, including any terminator; 0 when missing.
    DWORD ValueSize(const char* name) const noexcept;

    // Reads a string value into buffer (capacity in bytes), always zero-terminated.
    // False when the value is missing, is not a string or does not fit.
    bool ReadString(const char* name, char* buffer, size_t capacity) const noexcept;

private:
    HKEY m_key = nullptr;
};

}  // namespace tolv::trace
