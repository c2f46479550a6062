#include "tools/kivctl/TransferDirection.h"

#include <cwctype>

namespace {

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix, size_t length)
{
    if (text.size() < length) {
        return false;
    }
    for (size_t i = 0; i < length; ++i) {
        if (std::towlower(text[i]) != prefix[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool HasDriveLetter(const std::wstring& path)
{
    if (path.size() < 2 || path[1] != L':') {
        return false;
    }
    const wchar_t letter = path[0];
    return (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
}

PathSide TakeSidePrefix(std::wstring& path)
{
    static constexpr wchar_t kPc[] = L"pc:";
    static constexpr wchar_t kPhone[] = L"phone:";
    if (StartsWithNoCase(path, kPc, 3)) {
        path.erase(0, 3);
        return PathSide::PC;
    }
    if (StartsWithNoCase(path, kPhone, 6)) {
        path.erase(0, 6);
        return PathSide::Phone;
    }
    return PathSide::Unknown;
}

TransferPlan PlanTransfer(const std::wstring& source, const std::wstring& destination,
                          const std::function<bool(const std::wstring&)>& isPcFile,
                          const std::function<bool(wchar_t)>& isPhoneDrive)
{
    TransferPlan plan;
    plan.source = source;
    plan.destination = destination;
    PathSide from = TakeSidePrefix(plan.source);
    PathSide to = TakeSidePrefix(plan.destination);
    if (from == PathSide::Unknown) {
        from = !HasDriveLetter(plan.source) || isPcFile(plan.source) ? PathSide::PC : PathSide::Phone;
    }
    if (to == PathSide::Unknown) {
        to = HasDriveLetter(plan.destination) && isPhoneDrive(plan.destination[0]) ? PathSide::Phone : PathSide::PC;
    }
    if (from == PathSide::PC) {
        plan.kind = to == PathSide::Phone ? TransferKind::FromPC : TransferKind::PcOnly;
    } else {
        plan.kind = to == PathSide::Phone ? TransferKind::InDevice : TransferKind::ToPC;
    }
    return plan;
}
