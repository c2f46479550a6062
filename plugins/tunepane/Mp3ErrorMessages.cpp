#include "Mp3ErrorMessages.h"

#include "TunepaneStringIds.h"

#include "plugins/common/ErrorCodes.h"

namespace tolv::tunepane {

namespace {

using plugins::ErrorMessageRow;

constexpr HRESULT kTimedOutCodes[] = {plugins::kTimedOut};
constexpr HRESULT kAccessDeniedCodes[] = {E_ACCESSDENIED};
constexpr HRESULT kDiskFullCodes[] = {plugins::kDiskFull};
constexpr HRESULT kUnknownCodes[] = {E_FAIL};
constexpr HRESULT kInterruptedCodes[] = {E_POINTER};
constexpr HRESULT kNotAFileCodes[] = {KIV_E_SERVICENOTSUPPORTED};
constexpr HRESULT kFileNotFoundCodes[] = {KIV_E_FILENOTFOUND};

const ErrorMessageRow kRows[] = {
    {plugins::kLostConnectionMessageCodes, IDS_PHONE_DISCONNECTED, true},
    {kTimedOutCodes, IDS_COPY_TIMED_OUT, false},
    {kAccessDeniedCodes, IDS_ACCESS_DENIED, false},
    // Text of the ANSI code page, as the resources give them.
    {kDiskFullCodes, IDS_COPY_INCOMPLETE, false, "Datei konnte nicht vollst\xE4ndig kopiert werden"},
    {kUnknownCodes, IDS_UNKNOWN_ERROR, false},
    {kInterruptedCodes, IDS_COPY_INTERRUPTED, true},
    {kNotAFileCodes, IDS_SOURCE_NOT_A_FILE, false},
    {kFileNotFoundCodes, IDS_FILE_NOT_FOUND, false},
};

}  // namespace

bool ErrorToMessage(IModuleResource& resources, std::string* text, HRESULT hr, bool show)
{
    return plugins::ErrorToMessage({kRows, IDS_CAPTION_COPY_MP3}, resources, text, hr, show);
}

}  // namespace tolv::tunepane
