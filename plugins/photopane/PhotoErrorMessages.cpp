#include "PhotoErrorMessages.h"

#include "PhotopaneStringIds.h"

#include "plugins/common/ErrorCodes.h"

namespace tolv::photopane {

namespace {

using plugins::ErrorMessageRow;

constexpr HRESULT kTimedOutCodes[] = {plugins::kTimedOut};
constexpr HRESULT kAccessDeniedCodes[] = {E_ACCESSDENIED};
constexpr HRESULT kUnspecifiedCodes[] = {E_FAIL};
constexpr HRESULT kInterruptedCodes[] = {E_POINTER};
constexpr HRESULT kNotAFileCodes[] = {KIV_E_SERVICENOTSUPPORTED};
constexpr HRESULT kFileNotFoundCodes[] = {KIV_E_FILENOTFOUND};

// A full PC disk has no message of its own here: the job decides by its code alone.
const ErrorMessageRow kRows[] = {
    {plugins::kLostConnectionMessageCodes, IDS_PHONE_DISCONNECTED, true},
    {kTimedOutCodes, IDS_COPY_TIMED_OUT, false},
    {kAccessDeniedCodes, IDS_ACCESS_DENIED, false},
    {kUnspecifiedCodes, IDS_UNSPECIFIED_ERROR, false},
    {kInterruptedCodes, IDS_COPY_INTERRUPTED, true},
    {kNotAFileCodes, IDS_SOURCE_NOT_A_FILE, false},
    {kFileNotFoundCodes, IDS_FILE_NOT_FOUND, false},
};

}  // namespace

bool ErrorToMessage(IModuleResource& resources, std::string* text, HRESULT hr, bool show)
{
    return plugins::ErrorToMessage({kRows, IDS_CAPTION_COPY_PHOTOS}, resources, text, hr, show);
}

}  // namespace tolv::photopane
