#pragma once
// After a copy to the phone whose wait failed: whether the phone file nevertheless reached
// the expected size. The phone is given a second to show the file, then watched with pauses
// that lengthen while its size stands still.
#include <windows.h>

class CFileDescription;
class CTolvTrace;
class IKivTransferClock;

constexpr DWORD kPhoneCheckFirstPauseMs = 1000;
constexpr DWORD kPhoneCheckPauseStepMs = 500;

// folder: the phone folder the file was copied into; name: the file's name there. S_OK when
// the file reached expectedSize, else E_FAIL. trace must not be null.
HRESULT CheckCopyOnPhone(long expectedSize, CFileDescription& folder, const wchar_t* name, CTolvTrace* trace,
                         IKivTransferClock& clock);
