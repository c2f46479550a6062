#include "trace/RegistryKey.h"

namespace tolv::trace {

bool CRegistryKey::OpenForReading(HKEY root, const char* subKey) noexcept
{
    Close();
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    m_key = key;
    return true;
}

void CRegistryKey::Close() noexcept
{
    if (m_key) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
}

bool CRegistryKey::ReadDword(const char* name, DWORD& value) const noexcept
{
    if (!m_key)
        return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof(data))
        return false;
    value = data;
    return true;
}

DWORD CRegistryKey::ValueSize(const char* name) const noexcept
{
    if (!m_key)
        return 0;
    DWORD size = 0;
    if (RegQueryValueExA(m_key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return 0;
    return size;
}

bool CRegistryKey::ReadString(const char* name, char* buffer, size_t capacity) const noexcept
{
    if (!m_key || !buffer || capacity < 1)
        return false;
    buffer[0] = '\0';
    // One byte is kept back so that a value stored without its terminator still ends.
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(capacity - 1);
    if (RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        buffer[0] = '\0';
        return false;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        buffer[0] = '\0';
        return false;
    }
    buffer[size < capacity ? size : capacity - 1] = '\0';
    return true;
}

}  // namespace tolv::trace
