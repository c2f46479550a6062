#include "PhotoProxy.h"

#include "com/CreationRetry.h"
#include "plugins/common/KivProxyServer.h"

namespace tolv::photopane {

HRESULT CreatePhotoProxy(tolv::com::com_ptr<IKivVolume2>& volume)
{
    const HRESULT hr = tolv::com::CreateInstanceRetrying(plugins::kKivProxyServerClsid, plugins::kLocalServers, volume);
    return hr == E_NOINTERFACE ? S_OK : hr;
}

}  // namespace tolv::photopane
