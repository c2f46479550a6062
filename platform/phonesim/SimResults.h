// The failure codes the simulated phone answers with.
#pragma once

#include <windows.h>

namespace phonesim {

// The phone has gone (disconnected) while it was used.
inline constexpr HRESULT kNotConnected = static_cast<HRESULT>(0x8007048F);  // ERROR_DEVICE_NOT_CONNECTED
// A long operation stopped by a progress answer or CancelRequest.
inline constexpr HRESULT kCancelled = E_ABORT;
// An existing-file question answered "keep the existing file".
inline constexpr HRESULT kTargetKept = static_cast<HRESULT>(0x80070050);  // ERROR_FILE_EXISTS
// The file does not fit into the drive's free space.
inline constexpr HRESULT kDiskFull = static_cast<HRESULT>(0x80070070);  // ERROR_DISK_FULL
// A rename or move onto a name that is taken, a folder created twice.
inline constexpr HRESULT kAlreadyExists = static_cast<HRESULT>(0x800700B7);  // ERROR_ALREADY_EXISTS
// A restore from a file that is not a backup of this simulator.
inline constexpr HRESULT kBadBackup = static_cast<HRESULT>(0x8007000D);  // ERROR_INVALID_DATA

}  // namespace phonesim
