// The child folders or the files of a folder, as they were when the collection was taken,
// sorted by name. Items answer ISCItem and, on request, ISCFolder or ISCFile.
#pragma once

#include <vector>

#include "platform/phonesim/ScObjectFactory.h"
#include "platform/phonesim/ScTypeLibrary.h"

namespace phonesim {

HRESULT MakeFolderCollection(const PhoneRef& phone, const LinkRef& link, const PhonePath& folder,
                             ISCFolderCollection** folders);
HRESULT MakeFileCollection(const PhoneRef& phone, const LinkRef& link, const PhonePath& folder,
                           ISCFileCollection** files);

template <class Collection, bool Folders>
class CScEntryCollection : public tolv::com::DispatchImpl<Collection, kScLibrary> {
public:
    using interface_map = tolv::com::interface_map<Collection, tolv::com::entry_via<IDispatch, Collection>>;

    CScEntryCollection(PhoneRef phone, LinkRef link, std::vector<PhonePath> entries)
        : m_phone(std::move(phone)),
          m_link(std::move(link)),
          m_entries(std::move(entries))
    {
    }

    HRESULT STDMETHODCALLTYPE Item(VARIANT index, ISCItem** item) override;
    HRESULT STDMETHODCALLTYPE GetCount(LONG* count) override;

private:
    PhoneRef m_phone;
    LinkRef m_link;
    std::vector<PhonePath> m_entries;
};

using CScFolderCollection = CScEntryCollection<ISCFolderCollection, true>;
using CScFileCollection = CScEntryCollection<ISCFileCollection, false>;

}  // namespace phonesim
