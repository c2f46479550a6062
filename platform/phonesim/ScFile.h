// A file on a phone drive, looked up in its backing PC folder at every call.
#pragma once

#include <optional>

#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/ScObjectFactory.h"
#include "platform/phonesim/ScTypeLibrary.h"

namespace phonesim {

class CScFile : public tolv::com::DispatchImpl<ISCFile, kScLibrary>,
                public tolv::com::DispatchImpl<ISCItem, kScLibrary> {
public:
    using interface_map = tolv::com::interface_map<ISCFile, ISCItem, tolv::com::entry_via<IDispatch, ISCFile>>;

    CScFile(PhoneRef phone, LinkRef link, PhonePath path)
        : m_phone(std::move(phone)),
          m_link(std::move(link)),
          m_path(std::move(path))
    {
    }

    // ISCFile and ISCItem
    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override;
    // ISCItem
    HRESULT STDMETHODCALLTYPE GetKind(LONG* kind) override;
    // ISCFile
    HRESULT STDMETHODCALLTYPE GetShortName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetAttributes(LONG* attributes) override;
    HRESULT STDMETHODCALLTYPE SetAttributes(LONG attributes) override;
    HRESULT STDMETHODCALLTYPE GetSize(LONG* size) override;
    HRESULT STDMETHODCALLTYPE GetDate(DATE* date) override;
    HRESULT STDMETHODCALLTYPE SetDate(DATE date) override;
    HRESULT STDMETHODCALLTYPE CopyToPC(BSTR pcPath, LONG* requestId) override;
    HRESULT STDMETHODCALLTYPE GetFolder(ISCFolder** folder) override;
    HRESULT STDMETHODCALLTYPE Delete() override;
    HRESULT STDMETHODCALLTYPE Rename(BSTR newName) override;

private:
    // The file's facts when the phone is connected and the file exists.
    HRESULT ReadFacts(EntryFacts& facts) const;
    friend HRESULT MakeFileObject(const PhoneRef& phone, const LinkRef& link, const PhonePath& path, ISCFile** file);
    // Set only under the stale-sizes fault.
    std::optional<LONG> m_sizeWhenMade;

    PhoneRef m_phone;
    LinkRef m_link;
    PhonePath m_path;
};

}  // namespace phonesim
