#include "tools/kivctl/EventLines.h"

#include <cwchar>

#include "KivlinkLib.h"
#include "tools/kivctl/ResultText.h"

std::wstring ActionName(long action)
{
    switch (action) {
    case aidFormat:
        return L"format";
    case aidBackup:
        return L"backup";
    case aidRestore:
        return L"restore";
    case aidCopyFromPC:
        return L"copy-from-pc";
    case aidCopyToPC:
        return L"copy-to-pc";
    case aidConversion:
        return L"conversion";
    default:
        return L"action-" + std::to_wstring(action);
    }
}

std::wstring HResultText(HRESULT hr)
{
    wchar_t text[16];
    std::swprintf(text, sizeof text / sizeof text[0], L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

std::wstring DeviceConnectedLine(const std::wstring& name, const std::wstring& information)
{
    std::wstring line = L"connected " + name;
    const std::wstring details = JoinKeyValues(SplitKeyValueList(information));
    if (!details.empty()) {
        line += L' ';
        line += details;
    }
    return line;
}

std::wstring DeviceDisconnectedLine(const std::wstring& name)
{
    return L"disconnected " + name;
}

std::wstring ProgressLine(long action, const std::wstring& path, long percentage)
{
    return L"progress " + ActionName(action) + L' ' + path + L' ' + std::to_wstring(percentage) + L'%';
}

std::wstring CompletionLine(long action, const std::wstring& path, HRESULT result)
{
    return L"completed " + ActionName(action) + L' ' + path + L' ' + HResultText(result);
}
