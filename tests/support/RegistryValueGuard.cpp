#include "tests/support/RegistryValueGuard.h"

#include <cwchar>

CRegistryValueGuard::CRegistryValueGuard(HKEY root, const wchar_t* subkey, const wchar_t* name)
    : m_root(root),
      m_subkey(subkey),
      m_name(name)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegGetValueW(m_root, m_subkey.c_str(), m_name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return;
    }
    Saved saved{type, std::vector<BYTE>(size)};
    if (RegGetValueW(m_root, m_subkey.c_str(), m_name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, saved.data.data(),
                     &size) == ERROR_SUCCESS) {
        saved.data.resize(size);
        m_saved = std::move(saved);
    }
}

CRegistryValueGuard::~CRegistryValueGuard()
{
    if (m_saved) {
        RegSetKeyValueW(m_root, m_subkey.c_str(), m_name.c_str(), m_saved->type, m_saved->data.data(),
                        static_cast<DWORD>(m_saved->data.size()));
    } else {
        Remove();
    }
}

void CRegistryValueGuard::SetDword(DWORD value)
{
    RegSetKeyValueW(m_root, m_subkey.c_str(), m_name.c_str(), REG_DWORD, &value, sizeof value);
}

void CRegistryValueGuard::SetString(const wchar_t* value)
{
    RegSetKeyValueW(m_root, m_subkey.c_str(), m_name.c_str(), REG_SZ, value,
                    static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t)));
}

void CRegistryValueGuard::Remove()
{
    RegDeleteKeyValueW(m_root, m_subkey.c_str(), m_name.c_str());
}

std::optional<DWORD> CRegistryValueGuard::ReadDword() const
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(m_root, m_subkey.c_str(), m_name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}
