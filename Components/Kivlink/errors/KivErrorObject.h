// The COM error object that a failing Kivlink method leaves for its caller.
#pragma once

#include <string>

#include <windows.h>

class CTolvTrace;

// The GUID an error object carries for `hr` raised by interface `iid`: none for codes of the
// system's facilities (Win32, null, RPC, dispatch), the interface otherwise.
GUID KivErrorObjectGuid(HRESULT hr, REFIID iid);

// For a failure code: sets the calling thread's error object, with the ProgID of `clsid` as
// source and `text` (ANSI code page) as description. Success codes leave everything alone.
// Returns `hr` unchanged.
HRESULT KivSetErrorObject(HRESULT hr, const std::string& text, REFCLSID clsid, REFIID iid);

// The closing step of a failing method: the localized text of `hr`, set as the error object
// of the class and interface. Returns `hr` unchanged.
HRESULT KivReportError(HRESULT hr, REFCLSID clsid, REFIID iid, LANGID language, HMODULE module, CTolvTrace* trace);
