// SmRouterController.dll: the connectivity router that switches the PC ports through which
// the phone connects. Every use is bracketed by InitSMRouterContoller and
// FinishSMRouterContoller (the names are spelled as the library spells them). Each function
// answers a 32-bit status, negative for a failure; ports are named as Windows names them
// ("COM4", any letter case).
#pragma once

#include <windows.h>

#ifdef SMROUTER_BUILDING
#define SMROUTER_API __declspec(dllexport)
#else
#define SMROUTER_API __declspec(dllimport)
#endif

extern "C" {

SMROUTER_API LONG WINAPI InitSMRouterContoller(void);
SMROUTER_API LONG WINAPI EnablePort(LPCWSTR port);
SMROUTER_API LONG WINAPI DisablePort(LPCWSTR port);
SMROUTER_API LONG WINAPI EnableLastDisabledPorts(void);
SMROUTER_API LONG WINAPI FinishSMRouterContoller(void);

}  // extern "C"

namespace smrouter {

// EnablePort: the port was enabled already (the connection exists); a success.
inline constexpr LONG kAlreadyEnabled = 0x2000000A;
// DisablePort: the port was disabled already; a success.
inline constexpr LONG kAlreadyDisabled = 0x2000000B;
// A port the router does not know.
inline constexpr LONG kUnknownPort = static_cast<LONG>(0x80070014);  // ERROR_BAD_UNIT
// A port function called outside InitSMRouterContoller ... FinishSMRouterContoller.
inline constexpr LONG kNotInitialised = static_cast<LONG>(0x8000FFFF);  // E_UNEXPECTED
// A null or empty port name.
inline constexpr LONG kNoPort = static_cast<LONG>(0x80070057);  // E_INVALIDARG

}  // namespace smrouter
