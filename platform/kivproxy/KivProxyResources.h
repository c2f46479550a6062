// Resource identifiers of KivProxyServer.dll.
#pragma once

#define IDR_KIVPROXYSERVER 101
