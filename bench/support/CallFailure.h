#pragma once
// A failed call in words for the report: the HRESULT and, when the object sets one, the
// message of its error object.
#include <windows.h>
#include <ole2.h>

#include <string>

std::string DescribeFailure(HRESULT hr, IUnknown* object, REFIID iid);
std::string DescribeWin32Failure(DWORD error);
