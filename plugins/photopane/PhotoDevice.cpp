#include "PhotoDevice.h"

#include "com/UniqueBstr.h"
#include "ui/MessageBoxSeam.h"

using tolv::com::unique_bstr;

namespace tolv::photopane {

namespace {

constexpr const wchar_t* kPhotoExtension = L".JPG";

}  // namespace

const std::map<int, std::wstring>& CPhotoDevice::GetDeviceData(const std::wstring& folder)
{
    HRESULT hr = S_OK;
    m_entries = ListEntriesEndingIn(folder, kPhotoExtension, hr);
    return m_entries;
}

HRESULT CPhotoDevice::CopyToPC(const std::wstring& source, const std::wstring& destination, bool keepExisting,
                               bool move)
{
    if (!Volume())
        return E_POINTER;
    long flags = eBlocked;
    if (keepExisting)
        flags |= eNoOverwrite | eLeaveIfDifferent;
    if (move)
        flags |= eMove;
    return Volume()->CopyToPC(unique_bstr(source).get(), unique_bstr(destination).get(), flags);
}

HRESULT CPhotoDevice::DirectoryExist(const std::wstring& path, bool& exists, const MissingFolderWarning& warning)
{
    exists = false;
    unique_bstr list;
    const HRESULT hr = Volume() ? Volume()->ListEntries(unique_bstr(path).get(), VARIANT_FALSE, list.put()) : E_POINTER;
    if (SUCCEEDED(hr)) {
        exists = true;
        return S_OK;
    }
    if (hr == KIV_E_FOLDERNOTFOUND || hr == KIV_E_DRIVENOTFOUND)
        tolv::ui::ShowMessageBox(nullptr, warning.text.c_str(), warning.caption.c_str(), MB_ICONWARNING | MB_OK);
    return hr;
}

}  // namespace tolv::photopane
