// Which way `cp` and `mv` go. Both sides can look alike (a phone path "C:\Data\a.mp3" is also
// a PC path), so the rule is explicit:
//   - a "pc:" or "phone:" prefix decides for that side;
//   - a path that does not begin with a drive letter and colon is a PC path;
//   - the source is a PC path when such a PC file exists, else a phone path;
//   - the destination is a phone path when its drive is one of the phone's drives, else a PC
//     path.
// PC to phone is CopyFromPC, phone to PC CopyToPC, phone to phone CopyInDevice; PC to PC is
// refused.
#pragma once

#include <functional>
#include <string>

enum class TransferKind { FromPC, ToPC, InDevice, PcOnly };

struct TransferPlan {
    TransferKind kind = TransferKind::PcOnly;
    std::wstring source;  // without its prefix
    std::wstring destination;  // without its prefix
};

enum class PathSide { Unknown, PC, Phone };

// Takes a "pc:" or "phone:" prefix (any letter case) off `path` and tells which it was.
PathSide TakeSidePrefix(std::wstring& path);

// True when the path begins with a letter and a colon.
bool HasDriveLetter(const std::wstring& path);

// `isPcFile` is asked about the source only when the rule needs it, `isPhoneDrive` about the
// destination's drive letter only when the rule needs it.
TransferPlan PlanTransfer(const std::wstring& source, const std::wstring& destination,
                          const std::function<bool(const std::wstring&)>& isPcFile,
                          const std::function<bool(wchar_t)>& isPhoneDrive);
