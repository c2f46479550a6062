// Kivlink's phone workers and device model against the phone simulator: start-up without a
// phone, a phone connecting while the file worker waits for one, and the model over a
// simulated phone whose drives are PC folders that the test changes behind its back.
#include "PhoneSimulator.h"

#include "Components/Kivlink/model/SymbianDevice.h"
#include "Components/Kivlink/model/SymbianDeviceDrive.h"
#include "core/KivWorkingThread.h"
#include "core/KivWorkingThread3.h"
#include "core/KivlinkModule.h"
#include "core/SymbianConnectRT.h"

#include "KivlinkLib.h"
#include "com/ComInit.h"
#include "com/CriticalSection.h"
#include "trace/TolvTrace.h"

#include <gtest/gtest.h>

#include <process.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

class NoticeListener : public IKivlinkEventsBroadcast {
public:
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
    // Waits until count notices have come.
    std::vector<std::wstring> WaitFor(size_t count, DWORD timeoutMs = 15000)
    {
        DWORD start = GetTickCount();
        for (;;) {
            {
                tolv::com::auto_lock lock(m_lock);
                if (m_notices.size() >= count || GetTickCount() - start >= timeoutMs)
                    return m_notices;
            }
            Sleep(50);
        }
    }

private:
    void Note(const std::wstring& notice)
    {
        tolv::com::auto_lock lock(m_lock);
        m_notices.push_back(notice);
    }
    tolv::com::critical_section m_lock;
    std::vector<std::wstring> m_notices;
};

long WaitForQuit(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message == WM_QUIT)
                return static_cast<long>(GetTickCount() - start);
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return -1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

// A request posted with a wait from a thread of its own.
struct PendingRequest {
    CKivWorker* worker;
    CRequestData record;
    HRESULT sent = E_PENDING;
};

unsigned __stdcall PostAndWait(void* argument)
{
    auto* pending = static_cast<PendingRequest*>(argument);
    pending->record.m_Response = &pending->record;
    pending->sent = pending->worker->PostRequestAndWait(pending->record);
    return 0;
}

HRESULT Ask(CKivWorker* worker, long type)
{
    CRequestData record(type);
    record.m_Response = &record;
    HRESULT hr = worker->PostRequestAndWait(record);
    return FAILED(hr) ? hr : record.m_RetVal;
}

}  // namespace

// The module's event sinks are numbered per process and only the first forwards connects:
// this suite runs in a process of its own (see CMakeLists.txt).
TEST(FirstModule, WaitsForAPhoneAndGoesOnAsSoonAsOneConnects)
{
    tolv::com::com_init com(COINIT_MULTITHREADED);
    ASSERT_TRUE(com.succeeded());
    ASSERT_TRUE(EndPhoneSim());
    auto module = std::make_unique<CExeModule>();
    module->Lock();  // the client, so that the server stays
    ASSERT_EQ(module->StartModule(GetCurrentThreadId()), S_OK);
    NoticeListener listener;
    module->AttachListener(&listener);
    ASSERT_EQ(module->Worker1()->GetState(), CKivWorker::STATE_RUNNING);
    ASSERT_EQ(module->Worker3()->GetState(), CKivWorker::STATE_RUNNING);

    // No phone: the file worker waits its 20 s, the listing worker not at all.
    DWORD start = GetTickCount();
    EXPECT_EQ(Ask(module->Worker1(), REQ_CHECK_CONNECTION), KIV_E_NOCONNECTION);
    EXPECT_GE(GetTickCount() - start, CKivWorkingThread::CONNECTION_WAIT_MS - 500);
    start = GetTickCount();
    EXPECT_EQ(Ask(module->Worker3(), REQ_INVALIDATE_ALL), KIV_E_NOCONNECTION);
    EXPECT_LT(GetTickCount() - start, CKivWorkingThread::CONNECTION_WAIT_MS / 2);

    // A phone connects while a request waits for one.
    PendingRequest pending{module->Worker1(), CRequestData(REQ_CHECK_CONNECTION)};
    HANDLE poster = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &PostAndWait, &pending, 0, nullptr));
    ASSERT_NE(poster, nullptr);
    Sleep(1000);
    ASSERT_EQ(ConnectPhone(), 0);
    EXPECT_EQ(WaitForSingleObject(poster, CKivWorkingThread::CONNECTION_WAIT_MS), WAIT_OBJECT_0);
    WaitForSingleObject(poster, INFINITE);
    CloseHandle(poster);
    EXPECT_EQ(pending.sent, S_OK);
    EXPECT_EQ(pending.record.m_RetVal, S_OK);
    EXPECT_EQ(Ask(module->Worker3(), REQ_INVALIDATE_ALL), S_OK);

    ASSERT_EQ(DisconnectPhones(), 0);
    std::vector<std::wstring> notices = listener.WaitFor(2);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0], std::wstring(L"connect ") + kSimulatedPhone +
                              L" manufacturer=Vostrel,model=Tamlo,charge=80,signal=60,IMEI=" + kSimulatedPhone + L",");
    EXPECT_EQ(notices[1], std::wstring(L"disconnect ") + kSimulatedPhone);
    // Once the bindings heard of it, the listing worker finds no phone again.
    HRESULT listing = S_OK;
    for (int attempt = 0; attempt < 50 && listing == S_OK; ++attempt) {
        listing = Ask(module->Worker3(), REQ_INVALIDATE_ALL);
        if (listing == S_OK)
            Sleep(100);
    }
    EXPECT_EQ(listing, KIV_E_NOCONNECTION);

    module->DetachListener(&listener);
    SetEvent(module->StopEvent());
    EXPECT_GE(WaitForQuit(30000), 0);
    module->WaitForMainThread();
    module.reset();
    EXPECT_TRUE(EndPhoneSim());
}

namespace {

// A binding of this thread to the simulator with one phone connected, its drive C: backed
// by a PC folder.
class ModelOnSimulator : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.succeeded());
        // A simulator still ending after an earlier test would refuse the connect.
        ASSERT_TRUE(EndPhoneSim());
        ASSERT_EQ(ConnectPhone(L"--capacity-c 3G --free-c 1G --capacity-e 64M"), 0);
        driveC = std::filesystem::path(PhoneSimRoot()) / kSimulatedPhone / L"C";
        std::filesystem::create_directories(driveC / L"Images");
        Write(driveC / L"Images" / L"a.jpg", 5);
        binding = std::make_unique<CSymbianConnectRT>(1, &trace, nullptr);
        ASSERT_EQ(binding->Init(), S_OK);
        ASSERT_EQ(binding->WaitForConnection(0, &device), S_OK);
    }
    void TearDown() override
    {
        device = CFileDescription();
        if (binding)
            binding->Release();
        binding.reset();
        EXPECT_TRUE(EndPhoneSim());
        std::error_code ignored;
        std::filesystem::remove_all(PhoneSimRoot(), ignored);
    }
    static void Write(const std::filesystem::path& file, size_t bytes)
    {
        std::ofstream out(file, std::ios::binary);
        out << std::string(bytes, 'x');
    }

    tolv::com::com_init com{COINIT_MULTITHREADED};
    CTolvTrace trace{"KivlinkPhoneTest", 3, true};
    std::filesystem::path driveC;
    std::unique_ptr<CSymbianConnectRT> binding;
    CFileDescription device;
};

}  // namespace

TEST_F(ModelOnSimulator, AFileDroppedIntoThePhoneIsFoundAfterTheFolderIsReadAgain)
{
    EXPECT_STREQ(device.Name().c_str(), kSimulatedPhone);
    CSymbianDevice* phone = device.Device();
    CFileDescription file;
    ASSERT_EQ(phone->GetFile(L"C:\\Images\\a.jpg", file), S_OK);
    EXPECT_EQ(phone->GetFile(L"C:\\Images\\b.jpg", file), KIV_E_FILENOTFOUND);

    Write(driveC / L"Images" / L"b.jpg", 1234);
    ASSERT_EQ(phone->GetFile(L"C:\\Images\\B.JPG", file), S_OK);
    EXPECT_STREQ(file.Name().c_str(), L"C:\\Images\\b.jpg");
    long size = 0;
    ASSERT_EQ(file.GetSize(size), S_OK);
    EXPECT_EQ(size, 1234);

    std::vector<CFileDescription> entries;
    ASSERT_EQ(phone->GetAllEntries(L"C:\\", L"", entries), S_OK);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_STREQ(entries[0].Name().c_str(), L"C:\\Images");
    ASSERT_EQ(phone->GetAllEntriesRecursive(L"C:\\", L"*.jpg", entries), S_OK);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_STREQ(entries[0].Name().c_str(), L"C:\\Images\\a.jpg");
    EXPECT_STREQ(entries[1].Name().c_str(), L"C:\\Images\\b.jpg");
}

TEST_F(ModelOnSimulator, DriveSizesBeyond31BitsAreClamped)
{
    CFileDescription drive;
    long bytes = 0;
    ASSERT_EQ(device.Device()->GetDrive(L"C:", drive), S_OK);
    ASSERT_EQ(drive.Drive()->GetCapacity(bytes), S_OK);
    EXPECT_EQ(bytes, 2147483647L);
    ASSERT_EQ(drive.Drive()->GetFreeBytes(bytes), S_OK);
    // The simulator counts the 5 bytes of a.jpg against the free space it was given.
    EXPECT_EQ(bytes, (1L << 30) - 5);
    ASSERT_EQ(device.Device()->GetDrive(L"E:", drive), S_OK);
    ASSERT_EQ(drive.Drive()->GetCapacity(bytes), S_OK);
    EXPECT_EQ(bytes, 64L << 20);
}

TEST_F(ModelOnSimulator, DescriptionsOutliveAnInvalidation)
{
    CFileDescription file, folder;
    ASSERT_EQ(device.Device()->GetFile(L"C:\\Images\\a.jpg", file), S_OK);
    ASSERT_EQ(device.Device()->GetParentDirectory(L"C:\\Images\\a.jpg", folder), S_OK);
    long attributes = 0;
    ASSERT_EQ(file.GetAttributes(attributes), S_OK);

    ASSERT_EQ(binding->OnInvalidateParent(L"C:\\Images\\a.jpg", true), S_OK);
    ASSERT_EQ(binding->OnInvalidateAll(), S_OK);
    long size = 0;
    DATE date = 0;
    CKivString name;
    EXPECT_STREQ(file.Name().c_str(), L"C:\\Images\\a.jpg");
    EXPECT_EQ(file.GetSize(size), S_OK);
    EXPECT_EQ(size, 5);
    EXPECT_EQ(file.GetDate(date), S_OK);
    EXPECT_GT(date, 0.0);
    EXPECT_EQ(file.GetDisplayName(name), S_OK);
    EXPECT_STREQ(name.c_str(), L"a.jpg");
    long folderAttributes = 0;
    EXPECT_EQ(folder.GetAttributes(folderAttributes), S_OK);
    EXPECT_EQ(folderAttributes, FILE_ATTRIBUTE_DIRECTORY);

    // Once the phone has gone, the model's objects answer with the phone's failure.
    ASSERT_EQ(DisconnectPhones(), 0);
    std::vector<CFileDescription> entries;
    EXPECT_TRUE(FAILED(device.Device()->GetAllEntries(L"C:\\Images\\", L"", entries)));
}
