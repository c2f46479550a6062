// The text kivctl shows for a failure: the server's own description when its error object
// came across, else the text the server would have set, read from Kivlink's string table in
// the suite's language, else the system's message.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <string>

#include "KivlinkLib.h"

// `object` is the object the failed call went to (may be null), `iid` the interface it was
// made through.
std::wstring DescribeKivlinkFailure(HRESULT hr, IUnknown* object, REFIID iid = IID_IKivVolume2);

// The system's message for `hr` without its line end, or "unknown error".
std::wstring SystemMessage(HRESULT hr);

// The path of Kivlink's program as its class registration names it; empty if not registered.
std::wstring RegisteredKivlinkPath();
