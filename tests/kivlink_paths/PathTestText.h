#pragma once
#include "Components/Kivlink/core/KivString.h"

#include <string>

// The whole text of a result, embedded zeros included, for comparisons.
inline std::wstring Text(const CKivString& s)
{
    return std::wstring(s.c_str(), s.length());
}
