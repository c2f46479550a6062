#include "ClientPath.h"

#include "PhonePathNormalizer.h"

#include <new>

namespace {

bool HasDrive(std::wstring_view path)
{
    return path.size() >= 2 && path[1] == L':';
}

bool IsMemoryCard(wchar_t drive)
{
    return drive == L'E' || drive == L'e';
}

}  // namespace

HRESULT ToClientPath(std::wstring_view phoneFolder, std::wstring& clientPath)
{
    try {
        std::wstring result;
        std::wstring_view rest = phoneFolder;
        if (HasDrive(phoneFolder)) {
            if (IsMemoryCard(phoneFolder[0]))
                result.assign(kMemoryCardFolder);
            rest.remove_prefix(2);
        }
        result.append(rest);
        if (result.empty() || result.back() != L'\\')
            result.push_back(L'\\');
        clientPath = std::move(result);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
