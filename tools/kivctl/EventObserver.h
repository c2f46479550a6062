// What kivctl does with Kivlink's events, decoded from their Invoke calls.
#pragma once

#include <windows.h>

#include <string>

class IKivctlEventObserver {
public:
    virtual void OnDeviceConnected(const std::wstring& name, const std::wstring& information) = 0;
    virtual void OnDeviceDisconnected(const std::wstring& name) = 0;
    // True asks the server to cancel the operation.
    virtual bool OnProgress(long action, const std::wstring& path, long percentage) = 0;
    virtual void OnCompletion(long action, const std::wstring& path, HRESULT result) = 0;

protected:
    ~IKivctlEventObserver() = default;
};
