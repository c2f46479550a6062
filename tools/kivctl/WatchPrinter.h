// `kivctl watch` and `kivctl watch-dir`: every event as one line on standard output, written
// at once.
#pragma once

#include "tools/kivctl/EventObserver.h"
#include "tools/kivctl/NotifySink.h"

class CWatchPrinter final : public IKivctlEventObserver {
public:
    void OnDeviceConnected(const std::wstring& name, const std::wstring& information) override;
    void OnDeviceDisconnected(const std::wstring& name) override;
    bool OnProgress(long action, const std::wstring& path, long percentage) override;
    void OnCompletion(long action, const std::wstring& path, HRESULT result) override;
};

// A changed folder: the path as Kivlink reports it.
class CFolderChangePrinter final : public IKivctlChangeObserver {
public:
    void OnFolderChanged(const std::wstring& path) override;
};
