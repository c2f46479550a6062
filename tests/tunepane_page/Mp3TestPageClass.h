// The MP3 page as the test module mp3pagetest.dll registers it, and how a test in another
// process drives it: its class, the profile it keeps its settings in, and the host's
// framework-connected switch as a registered message.
#pragma once

// The registration script, for the resource compiler too.
#define IDR_MP3_TEST_PAGE_REGISTRY 300

#ifndef RC_INVOKED

#include <windows.h>

// {6D1E9B52-0C47-4E8A-A3F1-7B25C9D0E814}
inline constexpr CLSID kMp3TestPageClsid = {
    0x6d1e9b52, 0x0c47, 0x4e8a, {0xa3, 0xf1, 0x7b, 0x25, 0xc9, 0xd0, 0xe8, 0x14}};
inline constexpr wchar_t kMp3TestPageClsidText[] = L"{6D1E9B52-0C47-4E8A-A3F1-7B25C9D0E814}";

// The environment variable with the profile's full path; without it the page uses the plug-in's
// own profile in the Windows folder, as in the host.
inline constexpr wchar_t kMp3TestProfileVariable[] = L"PELLARY_MP3PAGE_PROFILE";
// wParam: 1 as the host reports a phone of the supported model, 0 when it stops doing so.
inline constexpr wchar_t kMp3TestFrameworkMessage[] = L"PellaryMp3PageTestFrameworkConnected";
inline constexpr wchar_t kMp3TestDocString[] = L"MP3 > Phone (test host)";

#endif  // RC_INVOKED
