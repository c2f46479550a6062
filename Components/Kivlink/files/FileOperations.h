#pragma once
// The file worker's operations behind IKivVolume2, each on the worker's own device model.
// Text results go to the record's first out argument (a BSTR*).
#include "FileContext.h"

#include "core/RequestData.h"

HRESULT RunListDevices(CKivFileContext& context, const CRequestData& record);
HRESULT RunSelectDevice(CKivFileContext& context, const CRequestData& record);
HRESULT RunListDrives(CKivFileContext& context, const CRequestData& record);
HRESULT RunListEntries(CKivFileContext& context, const CRequestData& record);
HRESULT RunGetInfo(CKivFileContext& context, const CRequestData& record);

HRESULT RunRemoveEntry(CKivFileContext& context, const CRequestData& record);
HRESULT RunCreateEntry(CKivFileContext& context, const CRequestData& record);
// Moves or renames a file (a folder too) inside the phone.
HRESULT RunMoveEntry(CKivFileContext& context, const CRequestData& record);

HRESULT RunFormatDrive(CKivFileContext& context, const CRequestData& record);
HRESULT RunBackupDrive(CKivFileContext& context, const CRequestData& record);
HRESULT RunRestoreDrive(CKivFileContext& context, const CRequestData& record);
HRESULT RunFormatPostSteps(CKivFileContext& context, const CRequestData& postStep);
HRESULT RunBackupPostSteps(CKivFileContext& context, const CRequestData& postStep);
HRESULT RunRestorePostSteps(CKivFileContext& context, const CRequestData& postStep);

// Hands a text result to the poster; E_OUTOFMEMORY when it cannot be copied.
HRESULT AnswerText(const CRequestData& record, const CKivString& text);
