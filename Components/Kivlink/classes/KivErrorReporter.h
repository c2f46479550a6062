#pragma once
// Every failing method of Kivlink's classes ends here: the thread's error object gets the
// localized text of the code for the class and interface, and the code is returned unchanged.
#include <windows.h>

HRESULT ReportKivResult(HRESULT hr, REFCLSID clsid, REFIID iid);
