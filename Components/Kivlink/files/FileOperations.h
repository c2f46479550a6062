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

// The one-volume interface's own: single entries by kind, the drive's label and space, the
// standard folders, the port check.
HRESULT RunDeleteFile(CKivFileContext& context, const CRequestData& record);
HRESULT RunRemoveFolder(CKivFileContext& context, const CRequestData& record);
HRESULT RunMoveFolder(CKivFileContext& context, const CRequestData& record);
HRESULT RunSetAttributes(CKivFileContext& context, const CRequestData& record);  // first integer: attributes
HRESULT RunHasSubFolders(CKivFileContext& context, const CRequestData& record);  // OUT_BOOL: VARIANT_BOOL*
HRESULT RunGetLabel(CKivFileContext& context, const CRequestData& record);  // first string: the drive
HRESULT RunSetLabel(CKivFileContext& context, const CRequestData& record);  // second string: the label
// OUT_FIRST_LONG and OUT_SECOND_LONG: total and free bytes (long*).
HRESULT RunGetVolumeSpace(CKivFileContext& context, const CRequestData& record);
HRESULT RunCreateStandardFolders(CKivFileContext& context, const CRequestData& record);
HRESULT RunSelectPort(CKivFileContext& context, const CRequestData& record);
// On the listing worker: first string the path (a wildcard in its last name filters), first
// boolean folders only, OUT_VARIANT the VARIANT* that receives the rows. S_FALSE: no rows.
HRESULT RunGetEntries(CKivFileContext& context, const CRequestData& record);

// The general interface's: the model and manufacturer as shown, the phone's name as its IMEI
// (always S_OK), each in the record's text.
HRESULT RunGetMobileModel(CKivFileContext& context, const CRequestData& record);
HRESULT RunGetMobileManufacturer(CKivFileContext& context, const CRequestData& record);
HRESULT RunGetImei(CKivFileContext& context, const CRequestData& record);

HRESULT RunFormatDrive(CKivFileContext& context, const CRequestData& record);
HRESULT RunBackupDrive(CKivFileContext& context, const CRequestData& record);
HRESULT RunRestoreDrive(CKivFileContext& context, const CRequestData& record);
HRESULT RunFormatPostSteps(CKivFileContext& context, const CRequestData& postStep);
HRESULT RunBackupPostSteps(CKivFileContext& context, const CRequestData& postStep);
HRESULT RunRestorePostSteps(CKivFileContext& context, const CRequestData& postStep);

// Hands a text result to the poster; E_OUTOFMEMORY when it cannot be copied.
HRESULT AnswerText(const CRequestData& record, const CKivString& text);
