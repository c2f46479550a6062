#include "platform/phonesim/ScDrive.h"

#include "com/HResult.h"
#include "platform/phonesim/FormatOperation.h"
#include "platform/phonesim/ObjectHelpers.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

HRESULT MakeDriveCollection(const PhoneRef& phone, const LinkRef& link, ISCDriveCollection** drives)
{
    RETURN_HR_IF_NULL(E_POINTER, drives);
    *drives = nullptr;
    tolv::com::com_ptr<ISCDriveCollection> made;
    RETURN_IF_FAILED(tolv::com::MakeComObject<CScDriveCollection>(made, phone, link));
    *drives = made.detach();
    return S_OK;
}

HRESULT MakeDriveObject(const PhoneRef& phone, const LinkRef& link, wchar_t letter, ISCDrive** drive)
{
    RETURN_HR_IF_NULL(E_POINTER, drive);
    *drive = nullptr;
    tolv::com::com_ptr<ISCDrive> made;
    RETURN_IF_FAILED(tolv::com::MakeComObject<CScDrive>(made, phone, link, letter));
    *drive = made.detach();
    return S_OK;
}

HRESULT CScDriveCollection::Item(VARIANT index, ISCDrive** drive)
{
    RETURN_HR_IF_NULL(E_POINTER, drive);
    *drive = nullptr;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    const std::vector<wchar_t> letters = m_phone->DriveLetters();
    size_t position = 0;
    RETURN_IF_FAILED(IndexFromVariant(index, letters.size(), position));
    return MakeDriveObject(m_phone, m_link, letters[position], drive);
}

HRESULT CScDriveCollection::GetCount(LONG* count)
{
    return ReturnLong(static_cast<LONG>(m_phone->DriveLetters().size()), count);
}

HRESULT CScDrive::GetName(BSTR* name)
{
    return ReturnText(std::wstring{m_letter, L':'}, name);
}

HRESULT CScDrive::GetMediaKind(LONG* kind)
{
    return ReturnLong(m_phone->IsRemovable(m_letter) ? 2 : 1, kind);
}

HRESULT CScDrive::GetLabel(BSTR* label)
{
    RETURN_HR_IF_NULL(E_POINTER, label);
    *label = nullptr;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    std::wstring text;
    RETURN_IF_FAILED(m_phone->GetLabel(m_letter, text));
    return ReturnText(text, label);
}

HRESULT CScDrive::SetLabel(BSTR label)
{
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    return m_phone->SetLabel(m_letter, TextOf(label));
}

HRESULT CScDrive::Format(LONG* requestId)
{
    RETURN_HR_IF_NULL(E_POINTER, requestId);
    *requestId = 0;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    try {
        auto operation = std::make_shared<CFormatOperation>(m_phone, m_link, m_letter);
        return CSimWorld::Instance().Runner().Start(operation, *requestId);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CScDrive::GetRootFolder(ISCFolder** folder)
{
    RETURN_HR_IF_NULL(E_POINTER, folder);
    *folder = nullptr;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    PhonePath root;
    root.drive = m_letter;
    return MakeFolderObject(m_phone, m_link, root, folder);
}

HRESULT CScDrive::GetSpace(ISCDriveSpace** space)
{
    RETURN_HR_IF_NULL(E_POINTER, space);
    *space = static_cast<ISCDriveSpace*>(this);
    (*space)->AddRef();
    return S_OK;
}

HRESULT CScDrive::GetDriveName(BSTR* name)
{
    return GetName(name);
}

HRESULT CScDrive::IsRemovable(VARIANT_BOOL* removable)
{
    return ReturnFlag(m_phone->IsRemovable(m_letter), removable);
}

template <class Pick>
HRESULT CScDrive::ReturnSpace(LONG* result, Pick pick)
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    *result = 0;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    DriveSpace space;
    RETURN_IF_FAILED(m_phone->GetSpace(m_letter, space));
    *result = pick(space);
    return S_OK;
}

HRESULT CScDrive::GetCapacityKilobytes(LONG* kilobytes)
{
    return ReturnSpace(kilobytes, [](const DriveSpace& space) { return SaturatedLong(space.capacity / 1024); });
}

HRESULT CScDrive::GetFreeKilobytes(LONG* kilobytes)
{
    return ReturnSpace(kilobytes, [](const DriveSpace& space) { return SaturatedLong(space.free / 1024); });
}

HRESULT CScDrive::GetUsedKilobytes(LONG* kilobytes)
{
    return ReturnSpace(kilobytes, [](const DriveSpace& space) { return SaturatedLong(space.used / 1024); });
}

HRESULT CScDrive::GetUsedLow(LONG* low)
{
    return ReturnSpace(low, [](const DriveSpace& space) { return LowHalf(space.used); });
}

HRESULT CScDrive::GetUsedHigh(LONG* high)
{
    return ReturnSpace(high, [](const DriveSpace& space) { return HighHalf(space.used); });
}

HRESULT CScDrive::GetCapacityLow(LONG* low)
{
    return ReturnSpace(low, [](const DriveSpace& space) { return LowHalf(space.capacity); });
}

HRESULT CScDrive::GetCapacityHigh(LONG* high)
{
    return ReturnSpace(high, [](const DriveSpace& space) { return HighHalf(space.capacity); });
}

HRESULT CScDrive::GetFreeLow(LONG* low)
{
    return ReturnSpace(low, [](const DriveSpace& space) { return LowHalf(space.free); });
}

HRESULT CScDrive::GetFreeHigh(LONG* high)
{
    return ReturnSpace(high, [](const DriveSpace& space) { return HighHalf(space.free); });
}

}  // namespace phonesim
