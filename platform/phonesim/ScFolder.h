// A folder on a phone drive. Every call looks at the backing PC folder anew, so a folder
// object whose folder has gone answers "path not found".
#pragma once

#include "platform/phonesim/ScObjectFactory.h"
#include "platform/phonesim/ScTypeLibrary.h"

namespace phonesim {

class CScFolder : public tolv::com::DispatchImpl<ISCFolder, kScLibrary>,
                  public tolv::com::DispatchImpl<ISCItem, kScLibrary> {
public:
    using interface_map = tolv::com::interface_map<ISCFolder, ISCItem, tolv::com::entry_via<IDispatch, ISCFolder>>;

    CScFolder(PhoneRef phone, LinkRef link, PhonePath path)
        : m_phone(std::move(phone)),
          m_link(std::move(link)),
          m_path(std::move(path))
    {
    }

    // ISCFolder and ISCItem
    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override;
    // ISCItem
    HRESULT STDMETHODCALLTYPE GetKind(LONG* kind) override;
    // ISCFolder
    HRESULT STDMETHODCALLTYPE GetShortName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE CreateFolder(BSTR name, ISCFolder** folder) override;
    HRESULT STDMETHODCALLTYPE CopyFromPC(BSTR pcPath, LONG* requestId) override;
    HRESULT STDMETHODCALLTYPE RenameFile(BSTR fileName, BSTR newName) override;
    HRESULT STDMETHODCALLTYPE GetFolders(ISCFolderCollection** folders) override;
    HRESULT STDMETHODCALLTYPE GetFiles(ISCFileCollection** files) override;
    HRESULT STDMETHODCALLTYPE Remove() override;
    HRESULT STDMETHODCALLTYPE Move(BSTR newName) override;
    HRESULT STDMETHODCALLTYPE GetDate(DATE* date) override;
    HRESULT STDMETHODCALLTYPE GetAttributes(LONG* attributes) override;

private:
    // S_OK when the phone is connected and the folder exists.
    HRESULT CheckFolder() const;

    PhoneRef m_phone;
    LinkRef m_link;
    PhonePath m_path;
};

}  // namespace phonesim
