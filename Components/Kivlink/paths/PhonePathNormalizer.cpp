#include "PhonePathNormalizer.h"

#include <new>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("PhonePathNormalizer");

namespace {
constexpr std::wstring_view kOldShellExtensionMarker = L"%MMC%";
}  // namespace

HRESULT NormalizePhonePath(std::wstring_view path, bool trailingBackslash, std::wstring& normalized)
{
    try {
        if (path.find(kOldShellExtensionMarker) != std::wstring_view::npos)
            return E_UNEXPECTED;

        if (path.size() >= 2 && path[1] == L':') {
            normalized.assign(path);
        } else if (size_t card = path.find(kMemoryCardFolder); card != std::wstring_view::npos) {
            std::wstring_view rest = path.substr(card + kMemoryCardFolder.size());
            normalized.assign(L"E:");
            normalized.append(rest.empty() ? std::wstring_view(L"\\") : rest);
        } else {
            normalized.assign(L"C:");
            normalized.append(path);
        }

        if (trailingBackslash && (normalized.empty() || normalized.back() != L'\\'))
            normalized.push_back(L'\\');
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT NormalizePhonePath(std::wstring_view path, bool trailingBackslash, CKivString& normalized)
{
    std::wstring text;
    HRESULT hr = NormalizePhonePath(path, trailingBackslash, text);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!copy)
        return E_OUTOFMEMORY;
    CKivString result = CKivString::Attach(copy);
    if (result.length() != text.size())
        return E_OUTOFMEMORY;
    normalized = std::move(result);
    return S_OK;
}
