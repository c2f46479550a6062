// The sample page's class and what it shows, for the tests that load it in process or in the
// page frame.
#pragma once

#include <windows.h>

#include "tests/pagebase/SamplePageResources.h"

// {3F1C2A64-8B7E-4D0A-9C51-2E6F0B7D4A19}
inline constexpr CLSID kSamplePageClsid = {
    0x3f1c2a64, 0x8b7e, 0x4d0a, {0x9c, 0x51, 0x2e, 0x6f, 0x0b, 0x7d, 0x4a, 0x19}};
inline constexpr wchar_t kSamplePageClsidText[] = L"{3F1C2A64-8B7E-4D0A-9C51-2E6F0B7D4A19}";

inline constexpr wchar_t kSamplePageTitle[] = L"Sample page";
inline constexpr wchar_t kSamplePageHelpFile[] = L"ms-its:SamplePage.chm::/SamplePage/Sample.htm";
inline constexpr wchar_t kSamplePageDocString[] = L"Sample document";
// A name the page refuses to apply, so that tests see a failing Apply.
inline constexpr wchar_t kSampleRefusedName[] = L"refuse";
// "Applied: %d", the number of successful Apply calls so far.
inline constexpr wchar_t kSampleAppliedFormat[] = L"Applied: %d";
