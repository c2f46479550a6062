#include "UniqueDestinationName.h"
#include "core/NameComparison.h"

#include "PcFolderListing.h"
#include "TransferPaths.h"

#include "model/FileDescription.h"
#include "model/SymbianDevice.h"

#include <cstdio>
#include <new>
#include <string>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("UniqueDestinationName");

namespace {

bool IsTaken(const CKivString& candidate, const std::vector<CKivString>& taken)
{
    for (const CKivString& name : taken)
        if (EqualOrdinalIgnoringCase(std::wstring_view(candidate.c_str(), candidate.length()),
                                     std::wstring_view(name.c_str(), name.length())))
            return true;
    return false;
}

}  // namespace

void SplitBaseAndExtension(const CKivString& name, CKivString& base, CKivString& extension)
{
    std::wstring text(name.c_str());
    size_t dot = text.rfind(L'.');
    if (dot == std::wstring::npos) {
        base = name;
        extension = CKivString();
        return;
    }
    base = CKivString(text.substr(0, dot).c_str());
    extension = CKivString(text.substr(dot).c_str());
}

CKivString FirstFreeName(const CKivString& wanted, const std::vector<CKivString>& taken)
{
    CKivString base;
    CKivString extension;
    SplitBaseAndExtension(wanted, base, extension);
    for (unsigned long number = 0;; ++number) {
        wchar_t suffix[32];
        swprintf(suffix, sizeof(suffix) / sizeof(suffix[0]), L" (%lu)", number);
        CKivString candidate((std::wstring(base.c_str()) + suffix + extension.c_str()).c_str());
        if (!IsTaken(candidate, taken))
            return candidate;
    }
}

HRESULT UniquePhoneName(CSymbianDevice& device, const CKivString& folder, const CKivString& wanted, CKivString& unique)
{
    // The phone's listing filter tells letter case apart; the whole folder is compared instead.
    std::vector<CFileDescription> entries;
    HRESULT hr = device.GetAllEntries(folder.c_str(), L"", entries);
    TOLV_RETURN_IF_FAILED(hr);
    try {
        std::vector<CKivString> taken;
        for (CFileDescription& entry : entries) {
            CKivString name;
            if (SUCCEEDED(entry.GetDisplayName(name)))
                taken.push_back(name);
        }
        unique = FirstFreeName(wanted, taken);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT UniquePcName(const CKivString& folder, const CKivString& wanted, CKivString& unique)
{
    CKivString base;
    CKivString extension;
    SplitBaseAndExtension(wanted, base, extension);
    std::wstring pattern = std::wstring(base.c_str()) + L"*" + extension.c_str();
    std::vector<CKivString> taken;
    HRESULT hr = ListPcNames(JoinFolderAndName(folder, CKivString(pattern.c_str())).c_str(), true, taken);
    TOLV_RETURN_IF_FAILED(hr);
    try {
        unique = FirstFreeName(wanted, taken);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}
