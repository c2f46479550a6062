#pragma once
// After a copy to the PC whose wait failed: whether the PC file nevertheless reached the
// phone file's size. The file is watched while its size keeps changing and given up once it
// has stood still for as many looks as it had changed (and five more).
#include <windows.h>

class CFileDescription;
class CTolvTrace;
class IKivTransferClock;

constexpr DWORD kPcCheckPauseMs = 500;

// phoneFile: the copied phone file (any other kind counts as missing). S_OK when the PC file
// reached its size, else E_FAIL.
HRESULT CheckCopyOnPC(CFileDescription& phoneFile, const wchar_t* pcPath, CTolvTrace* trace, IKivTransferClock& clock);
