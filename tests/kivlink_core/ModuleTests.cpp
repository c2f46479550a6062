// The server module in-process: workers without a phone library, notices to listeners, the
// quit logic after the last client and after an abnormal end.
#include "core/KivWorker.h"
#include "core/KivWorkingThread.h"
#include "core/KivWorkingThread2.h"
#include "core/KivWorkingThread3.h"
#include "core/KivlinkModule.h"
#include "core/KivlinkNotificationThread.h"
#include "classes/KivlinkGeneral.h"

#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/kivlink_server/ServerProcess.h"

#include "KivlinkLib.h"

#include "com/ClassFactory.h"
#include "com/ComInit.h"
#include "com/ComObject.h"
#include "tests/HeldCreation.h"
#include "tests/support/TestThread.h"
#include "tests/support/TraceCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Waits for the quit message that the module posts to its process thread; returns the time
// it took, or a negative value when it did not come.
long WaitForQuit(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<long>(GetTickCount() - start);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return -1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

class RecordingListener : public IKivlinkEventsBroadcast, public IKivlinkActionEventsCallback {
public:
    explicit RecordingListener(std::wstring name, bool cancel = false) : m_name(std::move(name)), m_cancel(cancel) {}
    // Lives on the test's stack, longer than any notice.
    bool TryAddRef() noexcept override { return true; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT Connected(BSTR device, BSTR information) override
    {
        Note(L"connect " + std::wstring(device) + L" " + std::wstring(information));
        return S_OK;
    }
    HRESULT Disconnected(BSTR device) override
    {
        Note(L"disconnect " + std::wstring(device));
        return S_OK;
    }
    HRESULT Progress(long action, BSTR path, long percentage, VARIANT_BOOL* cancel) override
    {
        Note(L"progress " + std::to_wstring(action) + L" " + path + L" " + std::to_wstring(percentage));
        *cancel = m_cancel ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT Completion(long action, BSTR path, long result) override
    {
        Note(L"completion " + std::to_wstring(action) + L" " + path + L" " + std::to_wstring(result));
        return S_OK;
    }

    static std::vector<std::wstring> log;

private:
    void Note(const std::wstring& line) { log.push_back(m_name + L": " + line); }
    std::wstring m_name;
    bool m_cancel;
};
std::vector<std::wstring> RecordingListener::log;

// Collects what reaches it, so that a cancel sent back by the main thread can be seen.
class CancelCatcher : public CKivWorker {
public:
    explicit CancelCatcher(IKivServerServices& services)
        : CKivWorker(services),
          m_arrived(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
    }
    ~CancelCatcher() override
    {
        Stop();
        CloseHandle(m_arrived);
    }
    bool WaitForCancel(DWORD ms) { return WaitForSingleObject(m_arrived, ms) == WAIT_OBJECT_0; }
    long cancelledRequest = 0;

protected:
    HRESULT InitThread() override { return S_OK; }
    HRESULT ExitThread() override { return S_OK; }
    bool IsKnownRequest(long type) const override { return type == REQ_CANCEL_OPERATION; }
    void ProcessRequest(CRequestData& record) override
    {
        cancelledRequest = record.m_firstIntegerArg;
        SetEvent(m_arrived);
    }

private:
    HANDLE m_arrived;
};

// Runs a module the way the server does, on this thread as process thread.
class ModuleFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        StartModule();
    }
    // The lock stands for the client that COM started the server for.
    void StartModule(bool clientArrives = true)
    {
        module = std::make_unique<CExeModule>();
        if (clientArrives)
            module->Lock();
        ASSERT_EQ(module->StartModule(GetCurrentThreadId()), S_OK);
    }
    void TearDown() override
    {
        if (module) {
            SetEvent(module->StopEvent());
            WaitForQuit(30000);
            module->WaitForMainThread();
            module.reset();
        }
        CoUninitialize();
    }
    std::unique_ptr<CExeModule> module;
};

}  // namespace

// A module started while the phone library is not registered (the simulator's class hidden).
class ModuleWithoutPhoneLibrary : public ModuleFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        // A running simulator would still answer for its class.
        ASSERT_TRUE(EndPhoneSim());
        hider = std::make_unique<CClassRegistrationHider>(kPhoneLibraryClsidKey);
        ASSERT_TRUE(hider->Hid());
        StartModule();
    }
    void TearDown() override
    {
        ModuleFixture::TearDown();
        hider.reset();
    }
    std::unique_ptr<CClassRegistrationHider> hider;
};

TEST_F(ModuleWithoutPhoneLibrary, StartsWithoutThePhoneLibraryAndServesTheOtherWorkers)
{
    // The file and listing workers never run, and asking them fails at once instead of
    // waiting for them.
    EXPECT_EQ(module->Worker1()->GetState(), CKivWorker::STATE_INIT_FAILED);
    EXPECT_EQ(module->Worker3()->GetState(), CKivWorker::STATE_INIT_FAILED);
    CRequestData check(REQ_CHECK_CONNECTION);
    check.m_Response = &check;
    DWORD before = GetTickCount();
    EXPECT_EQ(module->Worker1()->PostRequestAndWait(check), REGDB_E_CLASSNOTREG);
    EXPECT_LT(GetTickCount() - before, 2000u);

    EXPECT_EQ(module->Worker2()->GetState(), CKivWorker::STATE_RUNNING);
    EXPECT_EQ(module->NotificationThread()->GetState(), CKivWorker::STATE_RUNNING);

    // The phone-status worker refuses everything while a critical task runs.
    CRequestData battery(REQ_GET_BATTERY_SIGNAL);
    battery.m_Response = &battery;
    module->EnterCriticalTask();
    EXPECT_TRUE(module->IsCriticalTaskRunning());
    EXPECT_EQ(module->Worker2()->PostRequestAndWait(battery), S_OK);
    EXPECT_EQ(battery.m_RetVal, E_FAIL);
    module->ExitCriticalTask();
    EXPECT_FALSE(module->IsCriticalTaskRunning());

    // A type served by another worker is refused at posting.
    CRequestData wrongWorker(REQ_GET_ENTRIES);
    EXPECT_EQ(module->Worker2()->PostRequest(wrongWorker), E_FAIL);
}

TEST(ClassRegistrationHider, PutsTheRegistrationBackExactly)
{
    const std::wstring server = std::wstring(kPhoneLibraryClsidKey) + L"\\LocalServer32";
    const std::wstring before = ReadDefaultValue(HKEY_CLASSES_ROOT, server);
    ASSERT_FALSE(before.empty());
    {
        CClassRegistrationHider hider(kPhoneLibraryClsidKey);
        EXPECT_TRUE(hider.Hid());
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kPhoneLibraryClsidKey));
    }
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, server), before);
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, std::wstring(kPhoneLibraryClsidKey) + L"\\Version"), L"1.0");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Vostrel\\PellaryTests"));
}

// With the simulator and a phone connected before the start: both phone workers bind, and a
// request to each is served at once.
class ModuleWithSimulatedPhone : public ModuleFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        // A simulator still ending after an earlier test would refuse the connect.
        ASSERT_TRUE(EndPhoneSim());
        ASSERT_EQ(ConnectPhone(), 0);
        StartModule();
    }
    void TearDown() override
    {
        ModuleFixture::TearDown();
        EXPECT_TRUE(EndPhoneSim());
    }
};

TEST_F(ModuleWithSimulatedPhone, BindsBothPhoneWorkersAndServesThemAtOnce)
{
    EXPECT_EQ(module->Worker1()->GetState(), CKivWorker::STATE_RUNNING);
    EXPECT_EQ(module->Worker3()->GetState(), CKivWorker::STATE_RUNNING);
    CRequestData check(REQ_CHECK_CONNECTION);
    check.m_Response = &check;
    ASSERT_EQ(module->Worker1()->PostRequestAndWait(check), S_OK);
    EXPECT_EQ(check.m_RetVal, S_OK);
    CRequestData invalidate(REQ_INVALIDATE_PARENT);
    invalidate.m_firstStringArg = L"C:\\";
    invalidate.m_Response = &invalidate;
    ASSERT_EQ(module->Worker1()->PostRequestAndWait(invalidate), S_OK);
    EXPECT_EQ(invalidate.m_RetVal, S_OK);
    CRequestData all(REQ_INVALIDATE_ALL);
    all.m_Response = &all;
    ASSERT_EQ(module->Worker3()->PostRequestAndWait(all), S_OK);
    EXPECT_EQ(all.m_RetVal, S_OK);
}

TEST_F(ModuleWithSimulatedPhone, ASecondChargeWithinTwentyMinutesIsTheObjectsOwnReadingWithItsSecondsLeft)
{
    CTraceCapture capture;
    tolv::com::com_ptr<tolv::com::InternalComObject<CKivlinkGeneral>> general;
    ASSERT_EQ(tolv::com::InternalComObject<CKivlinkGeneral>::Create(general), S_OK);
    LONG charge = 0;
    ASSERT_EQ(general->GetCharge(&charge), S_OK);
    ASSERT_EQ(general->GetCharge(&charge), S_OK);
    EXPECT_TRUE(capture.Wrote("IKivGeneral::GetCharge: refresh status"));
    // Twenty minutes less the moment between the two calls, rounded down.
    const std::vector<std::string> texts = capture.Texts();
    EXPECT_NE(
        std::find_if(texts.begin(), texts.end(),
                     [](const std::string& text) {
                         return CTraceCapture::EndsWithWords(
                                    text, "IKivGeneral::GetCharge: Using old charge value (remaining seconds=1199)") ||
                                CTraceCapture::EndsWithWords(
                                    text, "IKivGeneral::GetCharge: Using old charge value (remaining seconds=1200)");
                     }),
        texts.end());
}

// The incoming-call filter switched on in the registry; the switch is gone again after the test.
class ModuleWithMessageFilter : public ModuleFixture {
protected:
    static constexpr const wchar_t* kSettingsKey = L"Software\\Vostrel\\Pellary";
    static constexpr const wchar_t* kSwitch = L"KivlinkUseMessageFilter";

    void SetUp() override
    {
        const DWORD on = 1;
        ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kSettingsKey, kSwitch, REG_DWORD, &on, sizeof(on)),
                  ERROR_SUCCESS);
        ModuleFixture::SetUp();
    }
    void TearDown() override
    {
        ModuleFixture::TearDown();
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSettingsKey, kSwitch);
    }
    CTraceCapture capture;
};

TEST_F(ModuleWithMessageFilter, ARegistrationThatCOMRefusesIsTracedAndTheServerGoesOn)
{
    // The main thread is in the multithreaded apartment, where COM consults no message filter.
    Sleep(300);
    EXPECT_TRUE(capture.Wrote("CoRegisterMessageFilter failed - this error will be ignored"));
    CRequestData connect(REQ_ON_CONNECT);
    ASSERT_EQ(module->PostToMainThread(connect), S_OK);
    Sleep(300);
    LONG seen = 0;
    EXPECT_TRUE(module->CheckConnectCounter(seen));
}

TEST_F(ModuleFixture, ConnectNoticesReachListenersInOrderAndAreCounted)
{
    RecordingListener::log.clear();
    LONG seen = 0;
    EXPECT_FALSE(module->CheckConnectCounter(seen));

    // Nobody listening: only the counter moves.
    CRequestData connect(REQ_ON_CONNECT);
    connect.m_firstStringArg = L"354812013456789";
    connect.m_secondStringArg = L"Type=Device,";
    ASSERT_EQ(module->PostToMainThread(connect), S_OK);

    RecordingListener first(L"first"), second(L"second");
    Sleep(300);
    EXPECT_TRUE(module->CheckConnectCounter(seen));
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(RecordingListener::log.empty());

    module->AttachListener(&first);
    module->AttachListener(&second);
    ASSERT_EQ(module->PostToMainThread(connect), S_OK);
    CRequestData disconnect(REQ_ON_DISCONNECT);
    disconnect.m_firstStringArg = L"354812013456789";
    ASSERT_EQ(module->PostToMainThread(disconnect), S_OK);
    Sleep(300);
    module->DetachListener(&first);
    module->DetachListener(&second);

    std::vector<std::wstring> expected = {
        L"first: connect 354812013456789 Type=Device,",
        L"second: connect 354812013456789 Type=Device,",
        L"first: disconnect 354812013456789",
        L"second: disconnect 354812013456789",
    };
    EXPECT_EQ(RecordingListener::log, expected);
    EXPECT_TRUE(module->CheckConnectCounter(seen));
    EXPECT_EQ(seen, 2);
}

TEST_F(ModuleFixture, ProgressCancelGoesBackToTheReportingWorker)
{
    RecordingListener::log.clear();
    RecordingListener cancelling(L"sink", true);
    CancelCatcher source(*module);
    ASSERT_EQ(source.Start(), S_OK);
    // Notices only reach objects attached to the module.
    module->AttachListener(&cancelling, &cancelling);

    CRequestData progress(REQ_ON_PROGRESS);
    progress.m_firstIntegerArg = 77;  // request id
    progress.m_secondIntegerArg = aidCopyFromPC;
    progress.m_thirdIntegerArg = 40;
    progress.m_firstStringArg = L"C:\\a.mp3";
    progress.m_Callback = &cancelling;
    progress.m_pSource = &source;
    ASSERT_EQ(module->PostToMainThread(progress), S_OK);
    ASSERT_TRUE(source.WaitForCancel(5000));
    EXPECT_EQ(source.cancelledRequest, 77);

    CRequestData completion(REQ_ON_COMPLETION);
    completion.m_firstIntegerArg = 77;
    completion.m_secondIntegerArg = aidCopyFromPC;
    completion.m_thirdIntegerArg = static_cast<long>(KIV_E_CANCELLED);
    completion.m_firstStringArg = L"C:\\a.mp3";
    completion.m_Callback = &cancelling;
    ASSERT_EQ(module->PostToMainThread(completion), S_OK);
    Sleep(300);
    ASSERT_EQ(RecordingListener::log.size(), 2u);
    EXPECT_EQ(RecordingListener::log[0], L"sink: progress 3 C:\\a.mp3 40");
    EXPECT_EQ(RecordingListener::log[1],
              L"sink: completion 3 C:\\a.mp3 " + std::to_wstring(static_cast<long>(KIV_E_CANCELLED)));

    // A notice still queued when its object has gone reaches nobody.
    module->DetachListener(&cancelling, &cancelling);
    ASSERT_EQ(module->PostToMainThread(completion), S_OK);
    Sleep(300);
    EXPECT_EQ(RecordingListener::log.size(), 2u);
}

// Like a client in another process whose event handler creates a KivVolume2 (which attaches
// it to the module) or releases its last one (which detaches it): the call back into the
// server runs on another thread, and the handler waits for it.
class ReenteringListener : public RecordingListener {
public:
    explicit ReenteringListener(CExeModule& module) : RecordingListener(L"reentering"), m_module(module) {}
    HRESULT Connected(BSTR device, BSTR information) override
    {
        CallBack([this] { m_module.AttachListener(&m_created, &m_created); });
        return RecordingListener::Connected(device, information);
    }
    HRESULT Disconnected(BSTR device) override
    {
        CallBack([this] { m_module.DetachListener(&m_created, &m_created); });
        return RecordingListener::Disconnected(device);
    }
    HRESULT Progress(long action, BSTR path, long percentage, VARIANT_BOOL* cancel) override
    {
        CallBack([this] { m_module.AttachListener(&m_created, &m_created); });
        return RecordingListener::Progress(action, path, percentage, cancel);
    }
    HRESULT Completion(long action, BSTR path, long result) override
    {
        CallBack([this] { m_module.DetachListener(&m_created, &m_created); });
        return RecordingListener::Completion(action, path, result);
    }
    int callsThatEnded = 0;

private:
    void CallBack(std::function<void()> call)
    {
        m_calls.push_back(std::make_unique<TestThread>(std::move(call)));
        if (m_calls.back()->Join(kCallBackWaitMs))
            ++callsThatEnded;
    }
    static constexpr DWORD kCallBackWaitMs = 3000;
    CExeModule& m_module;
    RecordingListener m_created{L"created"};
    // Joined before m_created goes.
    std::vector<std::unique_ptr<TestThread>> m_calls;
};

TEST_F(ModuleFixture, EventHandlersThatCreateOrReleaseObjectsDoNotHangTheMainThread)
{
    RecordingListener::log.clear();
    ReenteringListener client(*module);
    module->AttachListener(&client, &client);

    CRequestData connect(REQ_ON_CONNECT);
    connect.m_firstStringArg = L"Tamlo 7";
    CRequestData progress(REQ_ON_PROGRESS);
    progress.m_secondIntegerArg = aidCopyFromPC;
    progress.m_firstStringArg = L"C:\\a.mp3";
    progress.m_Callback = &client;
    CRequestData completion(REQ_ON_COMPLETION);
    completion.m_secondIntegerArg = aidCopyFromPC;
    completion.m_firstStringArg = L"C:\\a.mp3";
    completion.m_Callback = &client;
    CRequestData disconnect(REQ_ON_DISCONNECT);
    disconnect.m_firstStringArg = L"Tamlo 7";
    for (const CRequestData* notice : {&connect, &progress, &completion, &disconnect})
        ASSERT_EQ(S_OK, module->PostToMainThread(*notice));

    const auto waitForNotices = [](size_t count) {
        for (DWORD waited = 0; RecordingListener::log.size() < count && waited < 20000; waited += 50)
            Sleep(50);
    };
    waitForNotices(4);
    module->DetachListener(&client, &client);
    EXPECT_EQ(4, client.callsThatEnded);

    // The main thread goes on serving.
    RecordingListener last(L"last");
    module->AttachListener(&last);
    ASSERT_EQ(S_OK, module->PostToMainThread(disconnect));
    waitForNotices(5);
    module->DetachListener(&last);
    ASSERT_EQ(5u, RecordingListener::log.size());
    EXPECT_EQ(L"last: disconnect Tamlo 7", RecordingListener::log.back());
}

TEST(ModuleStart, AMainThreadThatCannotStartFailsTheStartAndStopsTheWorkers)
{
    tolv::com::com_init com(COINIT_MULTITHREADED);
    ASSERT_TRUE(com.succeeded());
    CExeModule module;
    module.SetThreadStarter([](unsigned(__stdcall*)(void*), void*) -> uintptr_t {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    });
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY), module.StartModule(GetCurrentThreadId()));
    EXPECT_EQ(CKivWorker::STATE_STOPPED, module.NotificationThread()->GetState());
    EXPECT_EQ(CKivWorker::STATE_STOPPED, module.Worker2()->GetState());
}

TEST_F(ModuleFixture, AnAbnormalEndStopsTheServerWhileClientsHoldIt)
{
    module->Lock();
    ASSERT_EQ(module->PostToMainThread(CRequestData(REQ_ABNORMAL_SHUTDOWN)), S_OK);
    long took = WaitForQuit(15000);
    ASSERT_GE(took, 0);
    module->WaitForMainThread();
    EXPECT_EQ(module->Worker2()->GetState(), CKivWorker::STATE_STOPPED);
    EXPECT_EQ(module->NotificationThread()->GetState(), CKivWorker::STATE_STOPPED);
    // Late callers find closed queues, not freed workers.
    CRequestData battery(REQ_GET_BATTERY_SIGNAL);
    battery.m_Response = &battery;
    EXPECT_EQ(module->Worker2()->PostRequestAndWait(battery), E_FAIL);
    module->Unlock();
    module.reset();
}

TEST_F(ModuleFixture, QuitsAboutFiveSecondsAfterTheLastUnlock)
{
    EXPECT_LT(WaitForQuit(static_cast<DWORD>(CExeModule::SHUTDOWN_GRACE_MS) + 1000), 0);
    module->Unlock();
    long took = WaitForQuit(20000);
    ASSERT_GE(took, 0) << "no quit message after the last unlock";
    EXPECT_GE(took, static_cast<long>(CExeModule::SHUTDOWN_GRACE_MS) - 100);
    module->WaitForMainThread();
    module.reset();
}

TEST_F(ModuleFixture, QuitsAboutFiveSecondsAfterStartWhenNoClientArrives)
{
    module->Unlock();
    TearDown();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    StartModule(false);
    long took = WaitForQuit(20000);
    ASSERT_GE(took, 0) << "a server without client never quit";
    EXPECT_GE(took, static_cast<long>(CExeModule::SHUTDOWN_GRACE_MS) - 100);
    module->WaitForMainThread();
    module.reset();
}

namespace {

class CQuietObject : public IPersist {
public:
    using interface_map = tolv::com::interface_map<IPersist>;
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override
    {
        *id = CLSID_NULL;
        return S_OK;
    }
};

}  // namespace

TEST_F(ModuleFixture, ACreationUnderWayWhenTheServerQuitsIsServedAndLaterOnesAreTurnedAway)
{
    volatile LONG closings = 0;
    module->SetCloseHook([](void* context) { InterlockedIncrement(static_cast<volatile LONG*>(context)); },
                         const_cast<LONG*>(&closings));
    using Held = HeldCreation<CQuietObject>;
    ASSERT_EQ(Held::Prepare(), S_OK);
    tolv::com::com_ptr<IClassFactory> factory;
    ASSERT_EQ(tolv::com::ClassFactoryBase::Create(&Held::Create, factory), S_OK);

    // The grace period starts with the last unlock; the creation begins within it.
    module->Unlock();
    CreationOnThread call(factory.get());
    ASSERT_TRUE(call.Started());
    ASSERT_TRUE(Held::started.wait(10000));

    // Once the grace period is over the server closes, and waits for the creation under way.
    const DWORD start = GetTickCount();
    while (!module->IsClosedToNewClients() && GetTickCount() - start < 20000)
        Sleep(10);
    ASSERT_TRUE(module->IsClosedToNewClients());
    EXPECT_EQ(InterlockedCompareExchange(&closings, 0, 0), 0);
    Held::release.set();
    ASSERT_TRUE(call.Finish(10000));
    ASSERT_EQ(call.Result(), S_OK);

    // Its client is served: the class objects are gone, the server stays while it holds it.
    EXPECT_LT(WaitForQuit(1500), 0);
    EXPECT_EQ(InterlockedCompareExchange(&closings, 0, 0), 1);
    tolv::com::com_ptr<IUnknown> refused;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, refused.put_void()), CO_E_SERVER_STOPPING);
    EXPECT_TRUE(refused == nullptr);
    // And the server quits as soon as it has gone.
    call.Created().reset();
    EXPECT_GE(WaitForQuit(5000), 0);
    module->WaitForMainThread();
    module.reset();
}
