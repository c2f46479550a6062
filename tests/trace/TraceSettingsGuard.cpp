#include "tests/trace/TraceSettingsGuard.h"

#include <stdexcept>

namespace tolv::trace::testing {

namespace {

constexpr const wchar_t* kSettingsKeyW = L"Software\\Vostrel\\Pellary";

using KeyImage = CTraceSettingsGuard::KeyImage;

class COpenKey {
public:
    COpenKey(HKEY root, const std::wstring& path, bool create)
    {
        LONG status = create
                          ? RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr)
                          : RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &m_key);
        if (status != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~COpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    COpenKey(const COpenKey&) = delete;
    COpenKey& operator=(const COpenKey&) = delete;
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

KeyImage Capture(HKEY key, const std::wstring& name)
{
    KeyImage image;
    image.name = name;
    DWORD subkeyCount = 0, maxSubkeyLength = 0, valueCount = 0, maxValueNameLength = 0, maxValueLength = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeyCount, &maxSubkeyLength, nullptr, &valueCount,
                         &maxValueNameLength, &maxValueLength, nullptr, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot describe a settings key");
    for (DWORD i = 0; i < valueCount; ++i) {
        KeyImage::Value value;
        std::vector<wchar_t> valueName(maxValueNameLength + 2);
        DWORD nameLength = static_cast<DWORD>(valueName.size());
        value.data.resize(maxValueLength + 2);
        DWORD dataLength = static_cast<DWORD>(value.data.size());
        if (RegEnumValueW(key, i, valueName.data(), &nameLength, nullptr, &value.type, value.data.data(),
                          &dataLength) != ERROR_SUCCESS)
            throw std::runtime_error("cannot read a settings value");
        value.name.assign(valueName.data(), nameLength);
        value.data.resize(dataLength);
        image.values.push_back(std::move(value));
    }
    for (DWORD i = 0; i < subkeyCount; ++i) {
        std::vector<wchar_t> subkeyName(maxSubkeyLength + 2);
        DWORD nameLength = static_cast<DWORD>(subkeyName.size());
        if (RegEnumKeyExW(key, i, subkeyName.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot list a settings subkey");
        const std::wstring childName(subkeyName.data(), nameLength);
        COpenKey child(key, childName, false);
        if (!child.Get())
            throw std::runtime_error("cannot open a settings subkey");
        image.subkeys.push_back(Capture(child.Get(), childName));
    }
    return image;
}

void WriteValues(HKEY key, const KeyImage& image)
{
    for (const KeyImage::Value& value : image.values)
        RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
}

void Rebuild(HKEY parent, const KeyImage& image)
{
    COpenKey key(parent, image.name, true);
    if (!key.Get())
        return;
    WriteValues(key.Get(), image);
    for (const KeyImage& subkey : image.subkeys)
        Rebuild(key.Get(), subkey);
}

std::wstring Widen(const char* text)
{
    std::wstring result;
    for (; *text; ++text)
        result += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return result;
}

}  // namespace

CTraceSettingsGuard::CTraceSettingsGuard()
{
    COpenKey key(HKEY_LOCAL_MACHINE, kSettingsKeyW, false);
    m_existed = key.Get() != nullptr;
    if (m_existed)
        m_saved = Capture(key.Get(), kSettingsKeyW);
}

CTraceSettingsGuard::~CTraceSettingsGuard()
{
    if (!m_existed) {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSettingsKeyW);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSettingsKeyW);
        // Fails, as it should, when the parent holds anything else.
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Vostrel");
        return;
    }
    COpenKey key(HKEY_LOCAL_MACHINE, kSettingsKeyW, false);
    if (!key.Get()) {
        Rebuild(HKEY_LOCAL_MACHINE, m_saved);
        return;
    }
    // Only the key's own values are ever changed while it exists.
    KeyImage now = Capture(key.Get(), kSettingsKeyW);
    for (const KeyImage::Value& value : now.values)
        RegDeleteValueW(key.Get(), value.name.c_str());
    WriteValues(key.Get(), m_saved);
}

void CTraceSettingsGuard::SetDword(const char* name, DWORD value)
{
    COpenKey key(HKEY_LOCAL_MACHINE, kSettingsKeyW, true);
    if (!key.Get() || RegSetValueExW(key.Get(), Widen(name).c_str(), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&value), sizeof(value)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set a trace setting");
}

void CTraceSettingsGuard::SetString(const char* name, const std::string& value)
{
    COpenKey key(HKEY_LOCAL_MACHINE, kSettingsKeyW, true);
    if (!key.Get() || RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set a trace setting");
}

void CTraceSettingsGuard::DeleteValue(const char* name)
{
    COpenKey key(HKEY_LOCAL_MACHINE, kSettingsKeyW, false);
    if (key.Get())
        RegDeleteValueW(key.Get(), Widen(name).c_str());
}

void CTraceSettingsGuard::ClearTraceValues()
{
    COpenKey key(HKEY_LOCAL_MACHINE, kSettingsKeyW, true);
    if (!key.Get())
        throw std::runtime_error("cannot create the settings key");
    for (const char* name : {"TraceInfoFlag", "TraceInfoPath", "TraceFileSizeLimitInKb"})
        RegDeleteValueW(key.Get(), Widen(name).c_str());
}

void CTraceSettingsGuard::DeleteKey()
{
    const LONG status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSettingsKeyW);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        throw std::runtime_error("cannot delete the settings key");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSettingsKeyW);
}

}  // namespace tolv::trace::testing
