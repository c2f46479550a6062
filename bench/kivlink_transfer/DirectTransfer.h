#pragma once
// The baseline of Kivlink's copies: the same copies driven by the benchmark itself straight
// through the phone library, as a program that bypasses Kivlink makes them. Each is the start
// call on the phone's folder or file, a sink that answers every progress report, and the wait
// for the completion event. The sink is the simulator tests' event recorder.
#include "CallWatchdog.h"

#include "SymbianConnect.h"
#include "com/ComPtr.h"

#include <windows.h>

#include <memory>
#include <string>

class AdvisedRecorder;

class CDirectPhone {
public:
    CDirectPhone();
    ~CDirectPhone();
    CDirectPhone(const CDirectPhone&) = delete;
    CDirectPhone& operator=(const CDirectPhone&) = delete;

    // Reaches the phone's card folders by their names below E:\; false with the reason in
    // `problem` when they cannot be reached.
    bool Open(const wchar_t* sourceFolder, const wchar_t* targetFolder, CCallWatchdog& watchdog, std::string& problem);
    // A PC file into the target folder, under its own name.
    HRESULT CopyIn(const std::wstring& pcFile, CCallWatchdog& watchdog);
    // A file of the source folder, found once so that no copy pays for the lookup.
    HRESULT SourceFile(const std::wstring& name, tolv::com::com_ptr<ISCFile>& file, CCallWatchdog& watchdog);
    HRESULT CopyOut(ISCFile* file, const std::wstring& pcPath, CCallWatchdog& watchdog);
    void Close(CCallWatchdog& watchdog);

private:
    HRESULT AwaitCompletion(HRESULT started, long requestId);

    tolv::com::com_ptr<ISCApplication> m_application;
    std::unique_ptr<AdvisedRecorder> m_sink;
    tolv::com::com_ptr<ISCFolder> m_source;
    tolv::com::com_ptr<ISCFolder> m_target;
};
