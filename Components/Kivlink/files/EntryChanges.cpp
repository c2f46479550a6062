#include "FileOperations.h"
#include "errors/KivResults.h"
#include "core/NameComparison.h"
#include "FolderCreation.h"

#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceDirectory.h"
#include "model/SymbianDeviceFile.h"
#include "paths/PhonePath.h"

#include "trace/TolvTrace.h"

#include <cwctype>
#include <vector>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("EntryChanges");

namespace {

HRESULT RemoveOne(CFileDescription& entry)
{
    if (entry.Kind() == KIND_FILE)
        return entry.File()->Delete();
    if (entry.Kind() == KIND_FOLDER)
        return entry.Directory()->Remove();
    return E_INVALIDARG;
}

HRESULT RemoveMatching(CKivFileContext& context, const CPhonePath& path)
{
    CKivString folder;
    CKivString pattern;
    HRESULT hr = path.GetParent(&folder, nullptr);
    if (SUCCEEDED(hr))
        hr = path.GetPattern(&pattern);
    TOLV_RETURN_IF_FAILED(hr);
    std::vector<CFileDescription> matches;
    hr = context.device->GetAllEntries(folder.c_str(), pattern.c_str(), matches);
    TOLV_RETURN_IF_FAILED(hr);
    bool skipped = false;
    for (CFileDescription& entry : matches) {
        if (entry.Kind() == KIND_FILE && entry.HasReadOnlyBit()) {
            skipped = true;
            continue;
        }
        hr = RemoveOne(entry);
        TOLV_RETURN_IF_FAILED(hr);
    }
    return skipped ? KIV_E_READ_ONLY_FILE : S_OK;
}

}  // namespace

HRESULT RunRemoveEntry(CKivFileContext& context, const CRequestData& record)
{
    CPhonePath path(record.m_firstStringArg);
    if (!path.IsValid())
        return E_INVALIDARG;
    if (path.HasWildcard())
        return RemoveMatching(context, path);
    CFileDescription entry;
    HRESULT hr = context.device->GetEntry(record.m_firstStringArg.c_str(), entry);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    if (entry.Kind() == KIND_FILE && entry.HasReadOnlyBit())
        return KIV_E_READ_ONLY_FILE;
    return RemoveOne(entry);
}

HRESULT RunCreateEntry(CKivFileContext& context, const CRequestData& record)
{
    return CreatePhoneFolder(*context.device, record.m_firstStringArg.c_str(), context.trace, nullptr);
}

HRESULT RunMoveEntry(CKivFileContext& context, const CRequestData& record)
{
    const CKivString& source = record.m_firstStringArg;
    const CKivString& target = record.m_secondStringArg;
    CPhonePath targetPath(target);
    CKivString wantedName;
    HRESULT hr = targetPath.GetLastName(&wantedName);
    if (FAILED(hr))
        return E_INVALIDARG;
    CFileDescription existing;
    if (SUCCEEDED(context.device->GetEntry(target.c_str(), existing))) {
        // The lookup ignores letter case: a name that differs only in case is another file
        // to the user, and moving onto it would replace it.
        CKivString actualName;
        if (SUCCEEDED(existing.GetDisplayName(actualName)) && !(actualName == wantedName) &&
            EqualAsciiIgnoringCase(std::wstring_view(actualName.c_str(), actualName.length()),
                                   std::wstring_view(wantedName.c_str(), wantedName.length()))) {
            context.trace->Format(3, "Moving file %s that only differs by cases from destination %s",
                                  source.Narrow().c_str(), target.Narrow().c_str());
            return E_INVALIDARG;
        }
    }
    CFileDescription entry;
    hr = context.device->GetEntry(source.c_str(), entry);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    if (entry.Kind() == KIND_FOLDER)
        return entry.Directory()->Move(target.c_str());
    if (entry.Kind() != KIND_FILE)
        return E_INVALIDARG;
    CFileDescription folder;
    hr = context.device->GetParentDirectory(source.c_str(), folder);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    CKivString name;
    hr = entry.GetDisplayName(name);
    TOLV_RETURN_IF_FAILED(hr);
    return folder.Directory()->RenameChildFile(name.c_str(), target.c_str());
}
