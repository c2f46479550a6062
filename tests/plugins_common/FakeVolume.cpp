#include "FakeVolume.h"

#include "com/UniqueBstr.h"

#include <cwchar>

namespace {

HRESULT Answer(const std::wstring& text, BSTR* out)
{
    *out = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

std::wstring Text(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// "folder\*.ext": the folder and the ending, matched in the letter case given.
bool SplitPattern(const std::wstring& entry, std::wstring& folder, std::wstring& ending)
{
    const size_t star = entry.find(L"\\*");
    if (star == std::wstring::npos)
        return false;
    folder = entry.substr(0, star);
    ending = entry.substr(star + 2);
    return true;
}

bool IsInFolder(const std::wstring& path, const std::wstring& folder, const std::wstring& ending)
{
    return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == L'\\' && path.find(L'\\', folder.size() + 1) == std::wstring::npos &&
           path.size() >= ending.size() && path.compare(path.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

HRESULT CFakeVolume2::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT CFakeVolume2::ListDevices(BSTR* devices)
{
    m_state.calls.push_back(L"ListDevices");
    return Answer(m_state.devices, devices);
}

HRESULT CFakeVolume2::ListDrives(BSTR* drives)
{
    m_state.calls.push_back(L"ListDrives");
    return Answer(m_state.drives, drives);
}

HRESULT CFakeVolume2::ListEntries(BSTR path, VARIANT_BOOL, BSTR* entries)
{
    m_state.calls.push_back(L"ListEntries " + Text(path));
    const auto found = m_state.listings.find(Text(path));
    if (found == m_state.listings.end())
        return KIV_E_FOLDERNOTFOUND;
    return Answer(found->second, entries);
}

HRESULT CFakeVolume2::GetInfo(BSTR entry, BSTR* info)
{
    const std::wstring path = Text(entry);
    m_state.calls.push_back(L"GetInfo " + path);
    std::deque<HRESULT>& failures = m_state.infoFailures[path];
    if (!failures.empty()) {
        const HRESULT hr = failures.front();
        failures.pop_front();
        return hr;
    }
    const auto found = m_state.infos.find(path);
    if (found == m_state.infos.end())
        return KIV_E_FILENOTFOUND;
    return Answer(found->second, info);
}

HRESULT CFakeVolume2::CopyToPC(BSTR source, BSTR destination, long flags)
{
    m_state.calls.push_back(L"CopyToPC " + Text(source) + L" " + Text(destination) + L" " + std::to_wstring(flags));
    return S_OK;
}

HRESULT CFakeVolume2::CopyFromPC(BSTR source, BSTR destination, long flags)
{
    m_state.calls.push_back(L"CopyFromPC " + Text(source) + L" " + Text(destination) + L" " + std::to_wstring(flags));
    return S_OK;
}

HRESULT CFakeVolume2::RemoveEntry(BSTR entry)
{
    const std::wstring path = Text(entry);
    m_state.calls.push_back(L"RemoveEntry " + path);
    if (FAILED(m_state.removeFailure))
        return m_state.removeFailure;
    std::wstring folder;
    std::wstring ending;
    if (!SplitPattern(path, folder, ending)) {
        const auto found = m_state.files.find(path);
        if (found == m_state.files.end())
            return KIV_E_FILENOTFOUND;
        if (found->second)
            return HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY);
        m_state.files.erase(found);
        return S_OK;
    }
    bool readOnlyKept = false;
    for (auto file = m_state.files.begin(); file != m_state.files.end();) {
        if (!IsInFolder(file->first, folder, ending)) {
            ++file;
        } else if (file->second) {
            readOnlyKept = true;
            ++file;
        } else {
            file = m_state.files.erase(file);
        }
    }
    return readOnlyKept ? HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY) : S_OK;
}

HRESULT CFakeOneVolume::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT CFakeOneVolume::SetAttributes(BSTR path, long attributes)
{
    m_state.calls.push_back(L"SetAttributes " + Text(path) + L" " + std::to_wstring(attributes));
    const auto found = m_state.files.find(Text(path));
    if (found == m_state.files.end())
        return KIV_E_FILENOTFOUND;
    found->second = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    return S_OK;
}

tolv::com::com_ptr<FakeVolume2> MakeFakeVolume2(FakePhoneState& state)
{
    tolv::com::com_ptr<FakeVolume2> volume;
    FakeVolume2::Create(volume, state);
    return volume;
}

tolv::com::com_ptr<IKivVolume> MakeFakeOneVolume(FakePhoneState& state)
{
    tolv::com::com_ptr<IKivVolume> volume;
    tolv::com::MakeComObject<CFakeOneVolume>(volume, state);
    return volume;
}

tolv::com::com_ptr<IKivVolume2> MakeFakeVolume2Interface(FakePhoneState& state)
{
    tolv::com::com_ptr<IKivVolume2> volume;
    MakeFakeVolume2(state).query(volume);
    return volume;
}
