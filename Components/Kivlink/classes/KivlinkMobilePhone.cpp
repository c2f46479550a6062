#include "KivlinkMobilePhone.h"

#include "KivErrorReporter.h"

HRESULT CKivlinkMobilePhone::Report(HRESULT hr)
{
    return ReportKivResult(hr, CLSID_KivMobilePhone, IID_IKivVolume);
}

// The volume operations arrive with the volume service; until then each says so honestly.
HRESULT CKivlinkMobilePhone::AddChangeNotification(BSTR, IUnknown*, LONG*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::BroadcastChangeNotification(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::Copy(BSTR, BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::CreateDir(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::CreateStdDirs()
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::Delete(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::Format()
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::GetCapacity(LONG*, LONG*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::GetEntries(BSTR, VARIANT_BOOL, VARIANT*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::GetFile(BSTR, IUnknown**)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::GetLabel(BSTR*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::HasSubDirs(BSTR, VARIANT_BOOL*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::Move(BSTR, BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::MoveDir(BSTR, BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::PutFile(BSTR, IUnknown*, LONG)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::RemoveChangeNotification(LONG)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::RemoveDir(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::SetAttributes(BSTR, LONG)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::SetLabel(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::SetTime(BSTR, DATE, DATE, DATE)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::GetSlotNames(SlotTypeConstants, VARIANT*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::SelectPort(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::FormatEx(BSTR)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::GetCapacityEx(BSTR, LONG*, LONG*)
{
    return Report(E_NOTIMPL);
}
HRESULT CKivlinkMobilePhone::CreateStdDirsEx(BSTR)
{
    return Report(E_NOTIMPL);
}
