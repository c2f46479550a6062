#pragma once
// Photopane's string table ids (its texts in every language carry the same ids).
#include <windows.h>

namespace tolv::photopane {

inline constexpr UINT IDS_CAPTION_COPY_PHOTOS = 127;
inline constexpr UINT IDS_PHONE_DISCONNECTED = 32781;
inline constexpr UINT IDS_COPY_TIMED_OUT = 32786;
inline constexpr UINT IDS_COPY_INTERRUPTED = 32787;
inline constexpr UINT IDS_SOURCE_NOT_A_FILE = 32788;
inline constexpr UINT IDS_FILE_NOT_FOUND = 32789;
inline constexpr UINT IDS_UNSPECIFIED_ERROR = 32791;
inline constexpr UINT IDS_ACCESS_DENIED = 32792;
inline constexpr UINT IDS_PHOTO_FOLDER_NOT_FOUND = 32793;

}  // namespace tolv::photopane
