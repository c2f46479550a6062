// A folder's entries as the one-volume interface hands them out: rows of seven columns in a
// two-dimensional array of VARIANTs, the memory card shown as a folder of the phone memory.
#include "FileOperations.h"

#include "core/NameComparison.h"
#include "errors/KivResults.h"
#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "paths/PhonePath.h"

#include "com/UniqueBstr.h"
#include "com/UniqueSafeArray.h"
#include "com/UniqueVariant.h"
#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

#include <vector>

TOLV_TRACE_UNIT("EntryTable");

namespace {

constexpr wchar_t kPhoneMemoryRoot[] = L"C:\\";
constexpr wchar_t kMemoryCardRoot[] = L"E:\\";
constexpr wchar_t kMemoryCardFolderName[] = L"MultiMediaCard (E:)";

// Columns of a row, as the type library numbers them.
enum EntryColumn : LONG {
    kName = 0,
    kShortName = 1,
    kSize = 2,
    kAttributes = 3,
    kCreationTime = 4,
    kLastAccessTime = 5,
    kLastWriteTime = 6,
    kColumnCount = 7,
};

struct SListedFolder {
    CKivString folder;
    CKivString filter;  // empty: no filter
};

HRESULT SplitListing(const CKivString& path, SListedFolder& listed)
{
    CPhonePath phonePath(path);
    if (phonePath.IsValid() && phonePath.HasWildcard()) {
        HRESULT hr = phonePath.GetParent(&listed.folder, nullptr);
        if (SUCCEEDED(hr))
            hr = phonePath.GetPattern(&listed.filter);
        return hr;
    }
    listed.folder = path;
    // A bare drive names its root folder.
    if (path.length() == 2 && path.c_str()[1] == L':')
        return CPhonePath::EnsureTrailingBackslash(listed.folder);
    return S_OK;
}

HRESULT CollectEntries(CKivFileContext& context, const SListedFolder& listed, std::vector<CFileDescription>& list)
{
    CTolvTrace* trace = context.trace;
    const std::wstring_view folder(listed.folder.c_str(), listed.folder.length());
    if (EqualAsciiIgnoringCase(folder, kPhoneMemoryRoot)) {
        trace->Format(3, "GetDirectory(%s)", CKivString(kMemoryCardRoot).Narrow().c_str());
        CFileDescription card;
        if (SUCCEEDED(context.device->GetDirectory(kMemoryCardRoot, card))) {
            trace->Format(3, "Add (%s) to list", card.Name().Narrow().c_str());
            list.push_back(card);
        } else {
            trace->Format(3, "No MultiMediaCard found");
        }
    }
    trace->Format(3, "GetEntry(%s)", listed.folder.Narrow().c_str());
    CFileDescription entry;
    HRESULT hr = context.device->GetEntry(listed.folder.c_str(), entry);
    if (FAILED(hr)) {
        trace->Format(3, "WARNING: called GetEntries for path %s that does not exist!", listed.folder.Narrow().c_str());
        return hr;
    }
    if (entry.Kind() == KIND_FILE && listed.filter.empty()) {
        list.push_back(entry);
        return S_OK;
    }
    if (entry.Kind() != KIND_FOLDER && entry.Kind() != KIND_DRIVE) {
        tolv::trace::Error(TOLV_HERE, trace);
        return E_INVALIDARG;
    }
    trace->Format(3, "Call GetAllEntries(%s,%s)", listed.folder.Narrow().c_str(), listed.filter.Narrow().c_str());
    std::vector<CFileDescription> entries;
    hr = context.device->GetAllEntries(listed.folder.c_str(), listed.filter.empty() ? nullptr : listed.filter.c_str(),
                                       entries);
    TOLV_RETURN_IF_FAILED(hr);
    list.insert(list.end(), entries.begin(), entries.end());
    return S_OK;
}

std::vector<CFileDescription> FilterList(CTolvTrace* trace, std::vector<CFileDescription>& list, bool foldersOnly)
{
    trace->Format(3, "Filter List)");
    std::vector<CFileDescription> filtered;
    for (CFileDescription& entry : list) {
        if (entry.Kind() == KIND_FILE) {
            if (foldersOnly)
                continue;
            trace->Format(3, "Add to filtered List: %s", entry.Name().Narrow().c_str());
        } else {
            trace->Format(3, "Add dir to filtered List");
        }
        filtered.push_back(entry);
    }
    return filtered;
}

HRESULT PutCell(SAFEARRAY* array, LONG row, LONG column, VARIANT& value)
{
    LONG index[2] = {row, column};
    HRESULT hr = SafeArrayPutElement(array, index, &value);
    VariantClear(&value);
    return hr;
}

HRESULT PutRow(CTolvTrace* trace, SAFEARRAY* array, LONG row, CFileDescription& entry)
{
    CKivString name;
    long size = 0;
    long attributes = 0;
    DATE date = 0;
    HRESULT hr = entry.IsMmcRoot() ? S_OK : entry.GetDisplayName(name);
    if (entry.IsMmcRoot())
        name = CKivString(kMemoryCardFolderName);
    if (SUCCEEDED(hr))
        hr = entry.GetSize(size);
    if (SUCCEEDED(hr))
        hr = entry.GetAttributes(attributes);
    if (SUCCEEDED(hr))
        hr = entry.GetDate(date);
    TOLV_RETURN_IF_FAILED(hr);
    SYSTEMTIME time = {};
    VariantTimeToSystemTime(date, &time);
    trace->Format(3, "ENTRY: %s %d 0x%x %02hu/%02hu/%04hu %02hu:%02hu", name.Narrow().c_str(), static_cast<int>(size),
                  static_cast<unsigned>(attributes), time.wDay, time.wMonth, time.wYear, time.wHour, time.wMinute);
    for (LONG column : {kName, kShortName}) {
        VARIANT cell;
        VariantInit(&cell);
        cell.vt = VT_BSTR;
        cell.bstrVal = SysAllocStringLen(name.c_str(), static_cast<UINT>(name.length()));
        if (!cell.bstrVal)
            return E_OUTOFMEMORY;
        hr = PutCell(array, row, column, cell);
        TOLV_RETURN_IF_FAILED(hr);
    }
    for (auto [column, number] : {std::pair{kSize, size}, std::pair{kAttributes, attributes}}) {
        VARIANT cell = tolv::com::LongVariant(number);
        hr = PutCell(array, row, column, cell);
        TOLV_RETURN_IF_FAILED(hr);
    }
    for (LONG column : {kCreationTime, kLastAccessTime, kLastWriteTime}) {
        VARIANT cell;
        VariantInit(&cell);
        cell.vt = VT_DATE;
        cell.date = date;
        hr = PutCell(array, row, column, cell);
        TOLV_RETURN_IF_FAILED(hr);
    }
    return S_OK;
}

HRESULT MakeEntryArray(CTolvTrace* trace, std::vector<CFileDescription>& entries, VARIANT& answer)
{
    trace->Format(3, "filteredList to safe array..");
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(entries.size()), 0}, {kColumnCount, 0}};
    tolv::com::unique_safearray array(SafeArrayCreate(VT_VARIANT, 2, bounds));
    if (!array) {
        tolv::trace::Error(TOLV_HERE, trace);
        return E_OUTOFMEMORY;
    }
    for (size_t row = 0; row < entries.size(); ++row) {
        HRESULT hr = PutRow(trace, array.get(), static_cast<LONG>(row), entries[row]);
        TOLV_RETURN_IF_FAILED(hr);
    }
    VariantClear(&answer);
    answer.vt = VT_ARRAY | VT_VARIANT;
    answer.parray = array.release();
    return S_OK;
}

}  // namespace

HRESULT RunGetEntries(CKivFileContext& context, const CRequestData& record)
{
    const bool foldersOnly = record.m_firstBooleanArg;
    context.trace->Format(3, ">>>IKivVolume::OnGetEntries(%s,%d)", record.m_firstStringArg.Narrow().c_str(),
                          foldersOnly ? 1 : 0);
    SListedFolder listed;
    HRESULT hr = SplitListing(record.m_firstStringArg, listed);
    TOLV_RETURN_IF_FAILED(hr);
    std::vector<CFileDescription> list;
    hr = CollectEntries(context, listed, list);
    // A folder that is not there lists as empty; only a lost phone is the caller's failure.
    if (hr == KIV_E_NOCONNECTION || hr == E_OUTOFMEMORY)
        return hr;
    if (FAILED(hr))
        return S_FALSE;
    std::vector<CFileDescription> filtered = FilterList(context.trace, list, foldersOnly);
    if (filtered.empty())
        return S_FALSE;
    auto* answer = static_cast<VARIANT*>(record.m_OutArg[OUT_VARIANT]);
    if (!answer)
        return E_POINTER;
    return MakeEntryArray(context.trace, filtered, *answer);
}
