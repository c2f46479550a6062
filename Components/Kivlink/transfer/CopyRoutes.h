#pragma once
// The copy routes of the file worker between PC and phone and inside the phone. A blocked
// (eBlocked) copy is waited for here and finished by its post steps, whose result it returns;
// an unblocked one returns once the phone accepted it, and the worker runs its post steps
// (REQ_COPY_FROM_PC_POST_STEP, REQ_COPY_TO_PC_POST_STEP) when the completion arrives.
#include "files/FileContext.h"

#include "core/KivString.h"
#include "core/RequestData.h"

#include <windows.h>

// REQ_COPY_FROM_PC: record.m_firstStringArg PC source, m_secondStringArg phone destination, m_firstIntegerArg flags.
HRESULT RunCopyFromPC(CKivFileContext& context, const CRequestData& record);
HRESULT RunCopyFromPCPostSteps(CKivFileContext& context, const CRequestData& postStep);  // m_RetVal = operation result
// REQ_COPY_TO_PC: first = phone source, second = PC destination, first integer flags.
HRESULT RunCopyToPC(CKivFileContext& context, const CRequestData& record);
HRESULT RunCopyToPCPostSteps(CKivFileContext& context, const CRequestData& postStep);
// REQ_COPY (in-phone copy): first = phone source file, second = phone destination path.
HRESULT RunInDeviceCopy(CKivFileContext& context, const CRequestData& record);
// REQ_PUT_FILE: first = phone file, first interface = the client's IStream marshalled into a
// stream (CoMarshalInterThreadInterfaceInStream; the poster keeps that stream), first integer the
// attributes the stored file gets.
HRESULT RunPutFile(CKivFileContext& context, const CRequestData& record);
// REQ_GET_FILE: first = phone file; answers the PC temporary file holding its content in the
// record's text (OUT_TEXT, a BSTR*), for the caller to open the client's stream over.
HRESULT RunGetFile(CKivFileContext& context, const CRequestData& record);
// The phone file's content in a PC temporary file (KivNNNN.tmp.xxx); always waits.
HRESULT CopyToTempFile(CKivFileContext& context, const wchar_t* phoneFile, CKivString& tempFile);
