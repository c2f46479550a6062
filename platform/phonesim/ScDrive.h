// A drive of a phone (with its space figures on the same object), and the drive collection.
#pragma once

#include <vector>

#include "platform/phonesim/ScObjectFactory.h"
#include "platform/phonesim/ScTypeLibrary.h"

namespace phonesim {

HRESULT MakeDriveCollection(const PhoneRef& phone, const LinkRef& link, ISCDriveCollection** drives);

class CScDriveCollection : public tolv::com::DispatchImpl<ISCDriveCollection, kScLibrary> {
public:
    using interface_map =
        tolv::com::interface_map<ISCDriveCollection, tolv::com::entry_via<IDispatch, ISCDriveCollection>>;

    CScDriveCollection(PhoneRef phone, LinkRef link) : m_phone(std::move(phone)), m_link(std::move(link)) {}

    HRESULT STDMETHODCALLTYPE Item(VARIANT index, ISCDrive** drive) override;
    HRESULT STDMETHODCALLTYPE GetCount(LONG* count) override;

private:
    PhoneRef m_phone;
    LinkRef m_link;
};

class CScDrive : public tolv::com::DispatchImpl<ISCDrive, kScLibrary>,
                 public tolv::com::DispatchImpl<ISCDriveSpace, kScLibrary> {
public:
    using interface_map = tolv::com::interface_map<ISCDrive, ISCDriveSpace, tolv::com::entry_via<IDispatch, ISCDrive>>;

    CScDrive(PhoneRef phone, LinkRef link, wchar_t letter)
        : m_phone(std::move(phone)),
          m_link(std::move(link)),
          m_letter(letter)
    {
    }

    // ISCDrive
    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetMediaKind(LONG* kind) override;
    HRESULT STDMETHODCALLTYPE GetLabel(BSTR* label) override;
    HRESULT STDMETHODCALLTYPE SetLabel(BSTR label) override;
    HRESULT STDMETHODCALLTYPE Format(LONG* requestId) override;
    HRESULT STDMETHODCALLTYPE GetRootFolder(ISCFolder** folder) override;
    HRESULT STDMETHODCALLTYPE GetSpace(ISCDriveSpace** space) override;
    // ISCDriveSpace
    HRESULT STDMETHODCALLTYPE GetDriveName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE IsRemovable(VARIANT_BOOL* removable) override;
    HRESULT STDMETHODCALLTYPE GetCapacityKilobytes(LONG* kilobytes) override;
    HRESULT STDMETHODCALLTYPE GetFreeKilobytes(LONG* kilobytes) override;
    HRESULT STDMETHODCALLTYPE GetUsedKilobytes(LONG* kilobytes) override;
    HRESULT STDMETHODCALLTYPE GetUsedLow(LONG* low) override;
    HRESULT STDMETHODCALLTYPE GetUsedHigh(LONG* high) override;
    HRESULT STDMETHODCALLTYPE GetCapacityLow(LONG* low) override;
    HRESULT STDMETHODCALLTYPE GetCapacityHigh(LONG* high) override;
    HRESULT STDMETHODCALLTYPE GetFreeLow(LONG* low) override;
    HRESULT STDMETHODCALLTYPE GetFreeHigh(LONG* high) override;

private:
    template <class Pick>
    HRESULT ReturnSpace(LONG* result, Pick pick);

    PhoneRef m_phone;
    LinkRef m_link;
    const wchar_t m_letter;
};

}  // namespace phonesim
