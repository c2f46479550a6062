// The sample plug-in the host tests load: its class, what it answers and how it reports the
// calls it receives (one line per call, appended to the file named by kCallLogVariable).
#pragma once

#include <windows.h>

// {89D1DDF1-1D41-4177-B276-B14DE6B1D06F}
inline constexpr CLSID kSamplePlugInClsid = {
    0x89d1ddf1, 0x1d41, 0x4177, {0xb2, 0x76, 0xb1, 0x4d, 0xe6, 0xb1, 0xd0, 0x6f}};
inline constexpr wchar_t kSamplePlugInClsidText[] = L"{89D1DDF1-1D41-4177-B276-B14DE6B1D06F}";

// The environment variable naming the call log; the plug-in records nothing without it.
inline constexpr wchar_t kCallLogVariable[] = L"PELLARY_HOST_SAMPLE_LOG";
// While a file of the log's name plus this suffix exists, CanCloseWindow answers VARIANT_FALSE.
inline constexpr wchar_t kRefuseCloseSuffix[] = L".refuse";

// When this environment variable is set, GetTitle answers S_OK with its text; else S_FALSE.
inline constexpr wchar_t kTitleVariable[] = L"PELLARY_HOST_SAMPLE_TITLE";

// The one phone model the sample enables its button for.
inline constexpr wchar_t kSampleModel[] = L"Tamlo";
inline constexpr wchar_t kSampleToolTip[] = L"Sample plug-in commands";

// A call log line: "<page name>|<call>[|<argument>...]", the page name being the one given
// in OnConnection.
inline constexpr wchar_t kLogSeparator = L'|';
