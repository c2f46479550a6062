#include "TransferBench.h"

#include "tests/TestTree.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/support/TraceCapture.h"

#include "Components/Kivlink/transfer/CopyRoutes.h"

#include "core/KivServerServices.h"
#include "core/KivWorker.h"
#include "core/KivlinkNotificationThread.h"
#include "core/PhoneLibraryBinding.h"
#include "core/SymbianConnectRT.h"

#include "KivlinkLib.h"
#include "com/ComInit.h"
#include "com/CriticalSection.h"
#include "trace/TolvTrace.h"

#include <filesystem>

namespace {

constexpr char kTraceName[] = "KivlinkTransferBench";

TransferBench* g_bench = nullptr;

// Plays the file worker: the copy routes and their post steps on a binding of its own.
class TransferWorker : public CKivWorker {
public:
    TransferWorker(IKivServerServices& services, CTolvTrace& routeTrace)
        : CKivWorker(services),
          m_routeTrace(routeTrace)
    {
    }
    ~TransferWorker() override { Stop(); }

    std::vector<CRequestData> PostSteps()
    {
        tolv::com::auto_lock lock(m_lock);
        return m_postSteps;
    }

protected:
    HRESULT InitThread() override
    {
        HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (FAILED(hr))
            return hr;
        hr = BindToPhoneLibrary(1, Services(), Trace(), m_binding, m_events);
        if (FAILED(hr)) {
            ReleasePhoneLibraryBinding(m_binding, m_events);
            CoUninitialize();
        }
        return hr;
    }
    HRESULT ExitThread() override
    {
        ReleasePhoneLibraryBinding(m_binding, m_events);
        CoUninitialize();
        return S_OK;
    }
    bool IsKnownRequest(long type) const override
    {
        switch (type) {
        case REQ_COPY:
        case REQ_GET_FILE:
        case REQ_COPY_TO_PC:
        case REQ_COPY_FROM_PC:
        case REQ_INVALIDATE_ALL:
        case REQ_COPY_FROM_PC_POST_STEP:
        case REQ_COPY_TO_PC_POST_STEP:
            return true;
        default:
            return false;
        }
    }
    void ProcessRequest(CRequestData& record) override
    {
        CFileDescription device;
        HRESULT hr = m_binding->WaitForConnection(20000, &device);
        if (FAILED(hr)) {
            record.m_RetVal = hr;
            return;
        }
        CKivFileContext context;
        context.binding = m_binding.get();
        context.device = device.Device();
        context.trace = &m_routeTrace;
        if (CKivlinkNotificationThread* notifications = Services().NotificationThread())
            context.handler = notifications->Handler();
        switch (record.m_typ) {
        case REQ_COPY:
            hr = RunInDeviceCopy(context, record);
            break;
        case REQ_GET_FILE: {
            CKivString tempFile;
            hr = CopyToTempFile(context, record.m_firstStringArg.c_str(), tempFile);
            record.m_thirdStringArg = tempFile;
            break;
        }
        case REQ_COPY_TO_PC:
            hr = RunCopyToPC(context, record);
            break;
        case REQ_COPY_FROM_PC:
            hr = RunCopyFromPC(context, record);
            break;
        case REQ_INVALIDATE_ALL:
            hr = m_binding->OnInvalidateAll();
            break;
        case REQ_COPY_FROM_PC_POST_STEP:
        case REQ_COPY_TO_PC_POST_STEP: {
            hr = record.m_typ == REQ_COPY_FROM_PC_POST_STEP ? RunCopyFromPCPostSteps(context, record)
                                                            : RunCopyToPCPostSteps(context, record);
            CRequestData done(record);
            done.m_RetVal = hr;
            tolv::com::auto_lock lock(m_lock);
            m_postSteps.push_back(done);
            break;
        }
        default:
            hr = E_INVALIDARG;
            break;
        }
        record.m_RetVal = hr;
    }

private:
    CTolvTrace& m_routeTrace;
    std::unique_ptr<CSymbianConnectRT> m_binding;
    tolv::com::com_ptr<CSCEventImp> m_events;
    tolv::com::critical_section m_lock;
    std::vector<CRequestData> m_postSteps;
};

// Plays the server module: the worker at place 1 receives the post steps, the notices for
// the main thread are dropped.
class BenchServices : public IKivServerServices {
public:
    explicit BenchServices(CTolvTrace& trace) : m_trace(trace) {}
    CTolvTrace* GetTrace(int) override { return &m_trace; }
    CTolvTrace* GetModuleTrace() override { return &m_trace; }
    void RegisterWorkerTrace(int, CTolvTrace*) override {}
    HRESULT PostToMainThread(const CRequestData&) override { return S_OK; }
    void EnterCriticalTask() override {}
    void ExitCriticalTask() override {}
    bool IsCriticalTaskRunning() override { return false; }
    CKivlinkNotificationThread* NotificationThread() override { return notifications; }
    IKivBindingRegistry* BindingRegistry() override { return notifications; }
    CKivWorker* Worker(KivWorkerRole role) override
    {
        if (role == KivWorkerRole::File)
            return fileWorker;
        if (role == KivWorkerRole::Notifications)
            return notifications;
        return nullptr;
    }

    CKivWorker* fileWorker = nullptr;
    CKivlinkNotificationThread* notifications = nullptr;

private:
    CTolvTrace& m_trace;
};

}  // namespace

class TransferBenchState {
public:
    TransferBenchState()
    {
        services = std::make_unique<BenchServices>(*trace);
        notifications = std::make_unique<CKivlinkNotificationThread>(*services);
        worker = std::make_unique<TransferWorker>(*services, *trace);
        services->notifications = notifications.get();
        services->fileWorker = worker.get();
    }
    ~TransferBenchState()
    {
        worker.reset();
        notifications.reset();
        services.reset();
        trace.reset();
    }

    tolv::com::com_init com{COINIT_MULTITHREADED};
    CTraceCapture capture;
    std::unique_ptr<CTolvTrace> trace = std::make_unique<CTolvTrace>(kTraceName, 3, true);
    std::unique_ptr<BenchServices> services;
    std::unique_ptr<CKivlinkNotificationThread> notifications;
    std::unique_ptr<TransferWorker> worker;
    // Fixed at the start: the tests move the process's temporary folder.
    std::wstring phoneRoot;
};

TransferBench::TransferBench()
{
    g_bench = this;
}

TransferBench::~TransferBench()
{
    g_bench = nullptr;
}

TransferBench& TransferBench::Get()
{
    return *g_bench;
}

void TransferBench::SetUp()
{
    m_state = std::make_unique<TransferBenchState>();
    ASSERT_TRUE(m_state->com.succeeded());
    // A simulator still ending after an earlier program would refuse the connect.
    ASSERT_TRUE(EndPhoneSim());
    m_state->phoneRoot = PhoneSimRoot();
    ASSERT_EQ(ReconnectPhone(), 0);
    ASSERT_EQ(m_state->notifications->Start(), S_OK);
    ASSERT_EQ(m_state->worker->Start(), S_OK);
}

void TransferBench::TearDown()
{
    if (m_state) {
        m_state->worker->Stop();
        m_state->notifications->Stop();
    }
    EXPECT_TRUE(EndPhoneSim());
    if (m_state) {
        std::error_code ignored;
        std::filesystem::remove_all(m_state->phoneRoot, ignored);
    }
    m_state.reset();
}

HRESULT TransferBench::Run(CRequestData& record)
{
    record.m_Response = &record;
    HRESULT hr = m_state->worker->PostRequestAndWait(record);
    return FAILED(hr) ? hr : record.m_RetVal;
}

HRESULT TransferBench::CopyFromPC(const std::wstring& source, const std::wstring& destination, long flags)
{
    CRequestData record(REQ_COPY_FROM_PC);
    record.m_firstStringArg = source.c_str();
    record.m_secondStringArg = destination.c_str();
    record.m_firstIntegerArg = flags;
    return Run(record);
}

HRESULT TransferBench::CopyToPC(const std::wstring& source, const std::wstring& destination, long flags)
{
    CRequestData record(REQ_COPY_TO_PC);
    record.m_firstStringArg = source.c_str();
    record.m_secondStringArg = destination.c_str();
    record.m_firstIntegerArg = flags;
    return Run(record);
}

HRESULT TransferBench::CopyInPhone(const std::wstring& source, const std::wstring& destination)
{
    CRequestData record(REQ_COPY);
    record.m_firstStringArg = source.c_str();
    record.m_secondStringArg = destination.c_str();
    return Run(record);
}

HRESULT TransferBench::CopyToTempFile(const std::wstring& phoneFile, std::wstring& tempFile)
{
    CRequestData record(REQ_GET_FILE);
    record.m_firstStringArg = phoneFile.c_str();
    HRESULT hr = Run(record);
    tempFile = record.m_thirdStringArg.c_str();
    return hr;
}

void TransferBench::ForgetPhone()
{
    CRequestData record(REQ_INVALIDATE_ALL);
    EXPECT_EQ(Run(record), S_OK);
}

std::vector<CRequestData> TransferBench::PostStepsRun(size_t count, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<CRequestData> done = m_state->worker->PostSteps();
        if (done.size() >= count || GetTickCount() - start > timeoutMs)
            return done;
        Sleep(50);
    }
}

std::wstring TransferBench::PhoneFolder(const std::wstring& phonePath) const
{
    // "E:\Music\a.mp3" lives in <root>\<phone>\E\Music\a.mp3.
    std::wstring rest = phonePath.size() > 3 ? phonePath.substr(3) : std::wstring();
    return m_state->phoneRoot + L"\\" + kSimulatedPhone + L"\\" + phonePath.substr(0, 1) + L"\\" + rest;
}

long TransferBench::PhoneSim(const std::wstring& arguments) const
{
    return RunPhoneSim(arguments);
}

long TransferBench::ReconnectPhone() const
{
    return RunPhoneSim(L"connect --root \"" + m_state->phoneRoot + L"\"");
}

std::vector<std::string> TransferBench::TraceLines() const
{
    return m_state->capture.Lines(kTraceName);
}

void TransferBench::MarkTrace()
{
    m_state->capture.Clear();
}

bool TransferBench::Traced(const std::string& text) const
{
    return m_state->capture.Wrote(text, kTraceName);
}

void TransferTest::SetUp()
{
    temp = std::make_unique<TestFolder>();
    pc = temp->Path() + L"Work\\";
    ASSERT_TRUE(CreateDirectoryW(pc.c_str(), nullptr));
    phone = bench.PhoneFolder(L"E:\\Transfer") + L"\\";
    // A copy that a test gave up on may still hold its files for a moment.
    bool removed = false;
    for (int attempt = 0; attempt < 100 && !(removed = RemoveTestTree(phone)); ++attempt)
        Sleep(100);
    ASSERT_TRUE(removed) << "the phone folder of an earlier test stays";
    std::error_code error;
    std::filesystem::create_directories(phone, error);
    ASSERT_FALSE(error) << error.message();
    ASSERT_TRUE(std::filesystem::is_empty(phone));
    ASSERT_EQ(bench.PhoneSim(L"fault clear"), 0);
    bench.ForgetPhone();
    bench.MarkTrace();
}

void TransferTest::TearDown()
{
    bench.PhoneSim(L"fault clear");
    temp.reset();
}

// gtest owns and sets up the bench before the first test.
testing::Environment* const g_registeredBench = testing::AddGlobalTestEnvironment(new TransferBench);
