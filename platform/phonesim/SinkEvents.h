// ISCEvents raised to a list of sinks. Each call returns once every sink has answered;
// a sink that fails (a client that has gone) is passed over.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <ole2.h>

#include "com/ComPtr.h"

namespace phonesim {

using SinkList = std::vector<tolv::com::com_ptr<IDispatch>>;

// Dispatch ids of ISCEvents.
enum ScEventId : DISPID {
    evDeviceConnected = 1,
    evDeviceDisconnected = 2,
    evBackupProgress = 3,
    evBackupError = 4,
    evBackupComplete = 5,
    evRestoreProgress = 6,
    evRestoreError = 7,
    evRestoreExistingFile = 8,
    evRestoreComplete = 9,
    evFormatProgress = 10,
    evFormatError = 11,
    evFormatComplete = 12,
    evCopyProgress = 13,
    evCopyError = 14,
    evCopyExistingFile = 15,
    evCopyComplete = 16,
};

// Actions of an existing-file question.
enum ExistingFileAction : LONG {
    actionKeepExisting = 0,
    actionKeepBoth = 1,
    actionCancel = 2,
    actionOverwrite = 3,
};

void RaiseDeviceConnected(const SinkList& sinks, IDispatch* device);
void RaiseDeviceDisconnected(const SinkList& sinks, const std::wstring& name);

// Progress of a backup or restore (3, 6) or a copy (13); true when a sink asked to cancel.
bool RaiseStorageProgress(const SinkList& sinks, DISPID id, LONG requestId, LONG fileNumber, const std::wstring& name,
                          LONG percent);
bool RaiseCopyProgress(const SinkList& sinks, LONG requestId, const std::wstring& source, const std::wstring& target,
                       LONG percent);
void RaiseFormatProgress(const SinkList& sinks, LONG requestId, LONG removed, const std::wstring& drive, LONG percent);

// Errors of a backup, restore or copy (4, 7, 14); true when a sink asked to stop.
bool RaiseStorageError(const SinkList& sinks, DISPID id, LONG requestId, LONG second, HRESULT error, bool canSkip);
void RaiseFormatError(const SinkList& sinks, LONG requestId, LONG removed, HRESULT error);

struct ExistingFileAnswer {
    LONG action = actionKeepExisting;
    bool cancel = false;
};
// Existing-file question of a restore (8) or copy (15). The last sink that chose an action
// decides it; one sink asking to cancel is enough.
ExistingFileAnswer RaiseExistingFileFound(const SinkList& sinks, DISPID id, LONG requestId, const std::wstring& path,
                                          DATE existingDate, LONG existingSize, DATE newDate, LONG newSize);

void RaiseStorageComplete(const SinkList& sinks, DISPID id, LONG requestId, const std::wstring& name, HRESULT result);
void RaiseFormatComplete(const SinkList& sinks, LONG requestId, HRESULT result);
void RaiseCopyComplete(const SinkList& sinks, LONG requestId, HRESULT result);

}  // namespace phonesim
