#pragma once
// A KivVolume2 object in this test process's apartment, with the default simulated phone
// connected below a root of this process, and helpers to put files on the phone behind
// Kivlink's back (straight into the folders that back the simulated drives).
#include "KivlinkLib.h"

#include "com/ComInit.h"
#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "com/StubRegistrationKeeper.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

// The PC file that backs a phone path of the default phone ("C:\a.mp3").
std::wstring BackingPath(const std::wstring& phonePath);
// Creates the file with `size` bytes (all folders above it too); with a write time when given.
bool WriteTestFile(const std::wstring& pcPath, size_t size, const FILETIME* writeTime = nullptr);
std::wstring TestFolder();  // a fresh PC folder of this test
bool FileExists(const std::wstring& pcPath);
long long FileSizeOf(const std::wstring& pcPath);
std::wstring Text(BSTR text);
// Sets a file's attributes on the simulated phone through the phone library itself.
HRESULT SetPhoneFileAttributes(const std::wstring& rootFileName, long attributes);

// Every event a KivVolume2 object sent, as the sink saw it.
struct ReceivedEvent {
    DISPID id;
    long action;
    std::wstring path;
    long value;  // percentage or result
    std::wstring deviceInformation;  // of a connect
};

// Lives on the heap until its last reference goes: Kivlink's release of a sink arrives
// through the stub whenever the server lets go, which may be after the test has ended.
class RecordingSink final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // Answers cancel to the progress report with this percentage or above (-1: never).
    void CancelAtPercentage(long percentage) { m_cancelAt = percentage; }
    std::vector<ReceivedEvent> Events();
    std::vector<ReceivedEvent> EventsOf(DISPID id);
    // Pumps this apartment's messages until an event of that id (and of that action, when
    // given) arrived or the time is up. A blocked operation's progress notices may still be
    // on their way when its call returns.
    bool WaitFor(DISPID id, DWORD timeoutMs, long action = -1);

private:
    volatile LONG m_references = 1;
    long m_cancelAt = -1;
    tolv::com::critical_section m_lock;
    std::vector<ReceivedEvent> m_events;
};

class VolumeTest : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;
    // A new sink advised to the test's object; unadvised and released by TearDown.
    RecordingSink& AdvisedSink();

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    tolv::com::stub_registration_keeper m_sinkInterfaces;
    tolv::com::com_ptr<IKivVolume2> m_volume;
    std::vector<std::pair<tolv::com::com_ptr<IConnectionPoint>, DWORD>> m_advised;
    std::vector<tolv::com::com_ptr<RecordingSink>> m_sinks;
};

constexpr DISPID EVENT_CONNECTED = 1;
constexpr DISPID EVENT_DISCONNECTED = 2;
constexpr DISPID EVENT_PROGRESS = 3;
constexpr DISPID EVENT_COMPLETION = 4;
