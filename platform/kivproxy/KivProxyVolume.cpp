// IKivVolume of the proxy: Kivlink's one-volume object (created on first use) answers.
#include "platform/kivproxy/KivProxyServer.h"

#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivProxyVolume");

namespace kivproxy {

HRESULT CKivProxyServer::AddChangeNotification(BSTR path, IUnknown* sink, LONG* token)
{
    TOLV_RETURN_IF_FAILED(m_link.KeepChangeSinkStubs());
    return Forward<IKivVolume>(L"AddChangeNotification",
                               [&](IKivVolume* volume) { return volume->AddChangeNotification(path, sink, token); });
}

HRESULT CKivProxyServer::BroadcastChangeNotification(BSTR path)
{
    return Forward<IKivVolume>(L"BroadcastChangeNotification",
                               [&](IKivVolume* volume) { return volume->BroadcastChangeNotification(path); });
}

HRESULT CKivProxyServer::Copy(BSTR existingpath, BSTR newpath)
{
    return Forward<IKivVolume>(L"Copy", [&](IKivVolume* volume) { return volume->Copy(existingpath, newpath); });
}

HRESULT CKivProxyServer::CreateDir(BSTR path)
{
    return Forward<IKivVolume>(L"CreateDir", [&](IKivVolume* volume) { return volume->CreateDir(path); });
}

HRESULT CKivProxyServer::CreateStdDirs()
{
    return Forward<IKivVolume>(L"CreateStdDirs", [&](IKivVolume* volume) { return volume->CreateStdDirs(); });
}

HRESULT CKivProxyServer::Delete(BSTR path)
{
    return Forward<IKivVolume>(L"Delete", [&](IKivVolume* volume) { return volume->Delete(path); });
}

HRESULT CKivProxyServer::Format()
{
    return Forward<IKivVolume>(L"Format", [&](IKivVolume* volume) { return volume->Format(); });
}

HRESULT CKivProxyServer::GetCapacity(LONG* total, LONG* free)
{
    return Forward<IKivVolume>(L"GetCapacity", [&](IKivVolume* volume) { return volume->GetCapacity(total, free); });
}

HRESULT CKivProxyServer::GetEntries(BSTR path, VARIANT_BOOL limittodirectories, VARIANT* entries)
{
    return Forward<IKivVolume>(
        L"GetEntries", [&](IKivVolume* volume) { return volume->GetEntries(path, limittodirectories, entries); });
}

HRESULT CKivProxyServer::GetFile(BSTR path, IUnknown** content)
{
    return Forward<IKivVolume>(L"GetFile", [&](IKivVolume* volume) { return volume->GetFile(path, content); });
}

HRESULT CKivProxyServer::GetLabel(BSTR* label)
{
    return Forward<IKivVolume>(L"GetLabel", [&](IKivVolume* volume) { return volume->GetLabel(label); });
}

HRESULT CKivProxyServer::HasSubDirs(BSTR path, VARIANT_BOOL* subdirs)
{
    return Forward<IKivVolume>(L"HasSubDirs", [&](IKivVolume* volume) { return volume->HasSubDirs(path, subdirs); });
}

HRESULT CKivProxyServer::Move(BSTR existingpath, BSTR newpath)
{
    return Forward<IKivVolume>(L"Move", [&](IKivVolume* volume) { return volume->Move(existingpath, newpath); });
}

HRESULT CKivProxyServer::MoveDir(BSTR existingpath, BSTR newpath)
{
    return Forward<IKivVolume>(L"MoveDir", [&](IKivVolume* volume) { return volume->MoveDir(existingpath, newpath); });
}

HRESULT CKivProxyServer::PutFile(BSTR path, IUnknown* content, LONG attributes)
{
    return Forward<IKivVolume>(L"PutFile",
                               [&](IKivVolume* volume) { return volume->PutFile(path, content, attributes); });
}

HRESULT CKivProxyServer::RemoveChangeNotification(LONG token)
{
    return Forward<IKivVolume>(L"RemoveChangeNotification",
                               [&](IKivVolume* volume) { return volume->RemoveChangeNotification(token); });
}

HRESULT CKivProxyServer::RemoveDir(BSTR path)
{
    return Forward<IKivVolume>(L"RemoveDir", [&](IKivVolume* volume) { return volume->RemoveDir(path); });
}

HRESULT CKivProxyServer::SetAttributes(BSTR path, LONG attributes)
{
    return Forward<IKivVolume>(L"SetAttributes",
                               [&](IKivVolume* volume) { return volume->SetAttributes(path, attributes); });
}

HRESULT CKivProxyServer::SetLabel(BSTR label)
{
    return Forward<IKivVolume>(L"SetLabel", [&](IKivVolume* volume) { return volume->SetLabel(label); });
}

HRESULT CKivProxyServer::SetTime(BSTR path, DATE creationtime, DATE lastaccesstime, DATE lastwritetime)
{
    return Forward<IKivVolume>(L"SetTime", [&](IKivVolume* volume) {
        return volume->SetTime(path, creationtime, lastaccesstime, lastwritetime);
    });
}

HRESULT CKivProxyServer::GetSlotNames(SlotTypeConstants slottype, VARIANT* slotnames)
{
    return Forward<IKivVolume>(L"GetSlotNames",
                               [&](IKivVolume* volume) { return volume->GetSlotNames(slottype, slotnames); });
}

HRESULT CKivProxyServer::SelectPort(BSTR bstrPort)
{
    return Forward<IKivVolume>(L"SelectPort", [&](IKivVolume* volume) { return volume->SelectPort(bstrPort); });
}

HRESULT CKivProxyServer::FormatEx(BSTR szDrive)
{
    return Forward<IKivVolume>(L"FormatEx", [&](IKivVolume* volume) { return volume->FormatEx(szDrive); });
}

HRESULT CKivProxyServer::GetCapacityEx(BSTR szDrive, LONG* total, LONG* free)
{
    return Forward<IKivVolume>(L"GetCapacityEx",
                               [&](IKivVolume* volume) { return volume->GetCapacityEx(szDrive, total, free); });
}

HRESULT CKivProxyServer::CreateStdDirsEx(BSTR szDriver)
{
    return Forward<IKivVolume>(L"CreateStdDirsEx",
                               [&](IKivVolume* volume) { return volume->CreateStdDirsEx(szDriver); });
}

}  // namespace kivproxy
