#include "tools/kivctl/WatchPrinter.h"

#include "tools/kivctl/ConsoleOutput.h"
#include "tools/kivctl/EventLines.h"

void CWatchPrinter::OnDeviceConnected(const std::wstring& name, const std::wstring& information)
{
    WriteOutLine(DeviceConnectedLine(name, information));
}

void CWatchPrinter::OnDeviceDisconnected(const std::wstring& name)
{
    WriteOutLine(DeviceDisconnectedLine(name));
}

bool CWatchPrinter::OnProgress(long action, const std::wstring& path, long percentage)
{
    WriteOutLine(ProgressLine(action, path, percentage));
    return false;
}

void CWatchPrinter::OnCompletion(long action, const std::wstring& path, HRESULT result)
{
    WriteOutLine(CompletionLine(action, path, result));
}

void CFolderChangePrinter::OnFolderChanged(const std::wstring& path)
{
    WriteOutLine(path);
}
