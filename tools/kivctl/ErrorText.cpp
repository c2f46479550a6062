#include "tools/kivctl/ErrorText.h"

#include "Components/Kivlink/errors/KivErrorText.h"
#include "Components/Kivlink/errors/KivLanguage.h"
#include "Components/Kivlink/errors/KivStringTable.h"
#include "KivlinkLib.h"
#include "com/ErrorInfo.h"
#include "tools/kivctl/LocalServerPath.h"

namespace {

// A program loaded for its resources only.
class unique_resource_module {
public:
    explicit unique_resource_module(const std::wstring& path)
        : m_module(path.empty() ? nullptr
                                : LoadLibraryExW(path.c_str(), nullptr,
                                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~unique_resource_module()
    {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    unique_resource_module(const unique_resource_module&) = delete;
    unique_resource_module& operator=(const unique_resource_module&) = delete;

    HMODULE get() const { return m_module; }

private:
    HMODULE m_module;
};

std::wstring TrimLineEnd(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

std::wstring ErrorObjectText(IUnknown* object, REFIID iid)
{
    if (object == nullptr) {
        return {};
    }
    tolv::com::ErrorDetails details;
    if (tolv::com::TakeErrorInfoFrom(object, iid, details) != S_OK) {
        return {};
    }
    return TrimLineEnd(details.description.c_str());
}

std::wstring ServerTableText(HRESULT hr)
{
    unique_resource_module kivlink(RegisteredKivlinkPath());
    if (kivlink.get() == nullptr) {
        return {};
    }
    const LANGID language = KivReadEnvironmentLanguage(nullptr);
    std::string text = KivErrorText(hr, language, kivlink.get(), nullptr);
    // The server describes its own codes with nothing in a language it has no table for;
    // the neutral copy is better than no text.
    if (text.empty() && language != 0) {
        text = KivErrorText(hr, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), kivlink.get(), nullptr);
    }
    return TrimLineEnd(KivAnsiToWide(text));
}

}  // namespace

std::wstring RegisteredKivlinkPath()
{
    wchar_t clsid[64];
    if (StringFromGUID2(CLSID_KivVolume2, clsid, 64) == 0) {
        return {};
    }
    // RRF_RT_REG_SZ also takes a REG_EXPAND_SZ value, expanded.
    const std::wstring key = std::wstring(L"CLSID\\") + clsid + L"\\LocalServer32";
    DWORD size = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0) {
        return {};
    }
    std::wstring command(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(command.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, command.data(), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    command.resize(wcsnlen(command.c_str(), command.size()));
    return LocalServerExecutable(command);
}

std::wstring SystemMessage(HRESULT hr)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr) {
        text = TrimLineEnd(std::wstring(buffer, length));
    }
    if (buffer != nullptr) {
        LocalFree(buffer);
    }
    return text.empty() ? L"unknown error" : text;
}

std::wstring DescribeKivlinkFailure(HRESULT hr, IUnknown* object, REFIID iid)
{
    std::wstring text = ErrorObjectText(object, iid);
    if (text.empty()) {
        text = ServerTableText(hr);
    }
    if (text.empty()) {
        text = SystemMessage(hr);
    }
    return text;
}
