#include "PhoneFolderListing.h"

#include "PhoneFolderTree.h"
#include "com/HResult.h"
#include "com/UniqueBstr.h"

using tolv::com::unique_bstr;

namespace tolv::photopane {

namespace {

// An entry whose description cannot be read is not offered as a folder.
bool IsPhoneFolder(IKivVolume2& volume, const std::wstring& path)
{
    unique_bstr info;
    if (FAILED(volume.GetInfo(unique_bstr(path).get(), info.put())))
        return false;
    return IsFolderInfo(info.c_str());
}

}  // namespace

HRESULT ListPhoneDrives(IKivVolume2& volume, std::vector<std::wstring>& drives)
{
    drives.clear();
    unique_bstr list;
    RETURN_IF_FAILED(volume.ListDrives(list.put()));
    drives = ListedNames(list.c_str());
    return S_OK;
}

HRESULT ListChildFolders(IKivVolume2& volume, const std::wstring& folder, std::vector<std::wstring>& folders)
{
    folders.clear();
    unique_bstr list;
    RETURN_IF_FAILED(volume.ListEntries(unique_bstr(ListingPath(folder)).get(), VARIANT_FALSE, list.put()));
    folders = TrailingFolders(ListedNames(list.c_str()),
                              [&](const std::wstring& name) { return IsPhoneFolder(volume, ChildPath(folder, name)); });
    return S_OK;
}

}  // namespace tolv::photopane
