#include "platform/phonesim/ScEntryCollection.h"

#include "com/HResult.h"
#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/ObjectHelpers.h"

namespace phonesim {

namespace {

HRESULT ListChildren(const CSimPhone& phone, const PhonePath& folder, bool wantFolders, std::vector<PhonePath>& result)
{
    RETURN_IF_FAILED(CheckConnected(phone));
    const std::wstring pcFolder = phone.PcPath(folder);
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), !IsExistingFolder(pcFolder));
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    RETURN_IF_FAILED(ListFolder(pcFolder, folders, files));
    for (const std::wstring& name : wantFolders ? folders : files) {
        // A PC name the phone could not have (a trailing dot, say) stays out of sight.
        if (IsValidEntryName(name)) {
            result.push_back(folder.Child(name));
        }
    }
    return S_OK;
}

template <class Collection, bool Folders, class Interface>
HRESULT MakeCollection(const PhoneRef& phone, const LinkRef& link, const PhonePath& folder, Interface** result)
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    *result = nullptr;
    try {
        std::vector<PhonePath> entries;
        RETURN_IF_FAILED(ListChildren(*phone, folder, Folders, entries));
        tolv::com::com_ptr<Interface> made;
        RETURN_IF_FAILED(
            (tolv::com::MakeComObject<CScEntryCollection<Collection, Folders>>(made, phone, link, std::move(entries))));
        *result = made.detach();
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace

HRESULT MakeFolderCollection(const PhoneRef& phone, const LinkRef& link, const PhonePath& folder,
                             ISCFolderCollection** folders)
{
    return MakeCollection<ISCFolderCollection, true>(phone, link, folder, folders);
}

HRESULT MakeFileCollection(const PhoneRef& phone, const LinkRef& link, const PhonePath& folder,
                           ISCFileCollection** files)
{
    return MakeCollection<ISCFileCollection, false>(phone, link, folder, files);
}

template <class Collection, bool Folders>
HRESULT CScEntryCollection<Collection, Folders>::Item(VARIANT index, ISCItem** item)
{
    RETURN_HR_IF_NULL(E_POINTER, item);
    *item = nullptr;
    size_t position = 0;
    RETURN_IF_FAILED(IndexFromVariant(index, m_entries.size(), position));
    if constexpr (Folders) {
        tolv::com::com_ptr<ISCFolder> folder;
        RETURN_IF_FAILED(MakeFolderObject(m_phone, m_link, m_entries[position], folder.put()));
        return folder.query_to(IID_ISCItem, reinterpret_cast<void**>(item));
    } else {
        tolv::com::com_ptr<ISCFile> file;
        RETURN_IF_FAILED(MakeFileObject(m_phone, m_link, m_entries[position], file.put()));
        return file.query_to(IID_ISCItem, reinterpret_cast<void**>(item));
    }
}

template <class Collection, bool Folders>
HRESULT CScEntryCollection<Collection, Folders>::GetCount(LONG* count)
{
    return ReturnLong(static_cast<LONG>(m_entries.size()), count);
}

template class CScEntryCollection<ISCFolderCollection, true>;
template class CScEntryCollection<ISCFileCollection, false>;

}  // namespace phonesim
