#pragma once
// Tunepane's string table ids (its texts in every language carry the same ids).
#include <windows.h>

namespace tolv::tunepane {

inline constexpr UINT IDS_CAPTION_COPY_MP3 = 32770;
inline constexpr UINT IDS_PHONE_DISCONNECTED = 32781;
inline constexpr UINT IDS_UNKNOWN_ERROR = 32785;
inline constexpr UINT IDS_COPY_TIMED_OUT = 32787;
inline constexpr UINT IDS_COPY_INCOMPLETE = 32788;
inline constexpr UINT IDS_COPY_INTERRUPTED = 32789;
inline constexpr UINT IDS_SOURCE_NOT_A_FILE = 32790;
inline constexpr UINT IDS_FILE_NOT_FOUND = 32791;
inline constexpr UINT IDS_DELETE_READ_ONLY = 32792;
inline constexpr UINT IDS_ACCESS_DENIED = 32793;

}  // namespace tolv::tunepane
