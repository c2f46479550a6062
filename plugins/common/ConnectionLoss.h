#pragma once
// Whether a failure means that the phone or the server behind the proxy is gone, so that a
// transfer stops instead of going on with the next file.
#include <windows.h>

namespace tolv::plugins {

bool IsConnectionLost(HRESULT hr);

}  // namespace tolv::plugins
