#include "ProxyKeeper.h"

#include "com/CriticalSection.h"

#include "SymbianConnect.h"

namespace {

struct KeptProxy {
    const IID* iid;
    IUnknown* proxy;
};

struct ProxyKeeper {
    tolv::com::critical_section lock;
    int openBindings = 0;
    KeptProxy kept[5] = {{&IID_ISCDeviceCollection, nullptr},
                         {&IID_ISCDriveCollection, nullptr},
                         {&IID_ISCFolderCollection, nullptr},
                         {&IID_ISCFileCollection, nullptr},
                         {&IID_ISCItem, nullptr}};
};

ProxyKeeper& Keeper()
{
    static ProxyKeeper keeper;
    return keeper;
}

}  // namespace

void OpenProxyKeeper()
{
    ProxyKeeper& keeper = Keeper();
    tolv::com::auto_lock lock(keeper.lock);
    ++keeper.openBindings;
}

void CloseProxyKeeper()
{
    ProxyKeeper& keeper = Keeper();
    tolv::com::auto_lock lock(keeper.lock);
    if (keeper.openBindings == 0 || --keeper.openBindings > 0)
        return;
    for (KeptProxy& slot : keeper.kept) {
        if (slot.proxy)
            slot.proxy->Release();
        slot.proxy = nullptr;
    }
}

void KeepFirstProxyOf(IUnknown* proxy, REFIID iid)
{
    if (!proxy)
        return;
    ProxyKeeper& keeper = Keeper();
    tolv::com::auto_lock lock(keeper.lock);
    if (keeper.openBindings == 0)
        return;
    for (KeptProxy& slot : keeper.kept) {
        if (IsEqualIID(*slot.iid, iid) && !slot.proxy) {
            proxy->AddRef();
            slot.proxy = proxy;
        }
    }
}
