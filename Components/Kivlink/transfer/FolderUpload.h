#pragma once
// Uploads a PC temporary file into a phone folder and waits for it (30 s without progress end the
// wait; a failed wait other than a lost connection is followed by the check on the phone). The
// file arrives under the temporary file's own name, for the caller to rename.
#include "files/FileContext.h"

#include "core/KivString.h"
#include "core/RequestData.h"
#include "model/FileDescription.h"

// action: the operation's action id for its progress events (aidCopyFromPC, aidCopyToPC).
HRESULT SendTempFileIntoFolder(CKivFileContext& context, const CRequestData& record, long action,
                               CFileDescription& folder, const CKivString& tempFile, long expectedSize);

// Renames the uploaded file from the temporary file's name to `name`. When that fails the copy
// is of no use under the temporary name and goes; the rename's error is returned.
HRESULT RenameUploadedFile(CFileDescription& folder, const CKivString& tempFile, const CKivString& name);
