#include "VolumeFixture.h"

#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/kivlink_server/ServerProcess.h"
#include "tests/TestTree.h"
#include "tests/support/MessagePump.h"

#include "SymbianConnect.h"

#include <shlobj.h>

namespace {

const wchar_t kDeviceFolder[] = L"354812013456789";

bool CreateFolders(const std::wstring& folder)
{
    if (folder.empty() || GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    size_t slash = folder.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash > 2 && !CreateFolders(folder.substr(0, slash)))
        return false;
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

std::wstring BackingPath(const std::wstring& phonePath)
{
    // "C:\a\b" lives in <root>\<device>\C\a\b.
    return PhoneSimRoot() + L"\\" + kDeviceFolder + L"\\" + phonePath.substr(0, 1) + phonePath.substr(2);
}

bool WriteTestFile(const std::wstring& pcPath, size_t size, const FILETIME* writeTime)
{
    size_t slash = pcPath.find_last_of(L'\\');
    if (slash != std::wstring::npos && !CreateFolders(pcPath.substr(0, slash)))
        return false;
    SetFileAttributesW(pcPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(pcPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string chunk(64 * 1024, '\0');
    for (size_t i = 0; i < chunk.size(); ++i)
        chunk[i] = static_cast<char>('a' + i % 26);
    bool ok = true;
    for (size_t written = 0; ok && written < size;) {
        DWORD part = static_cast<DWORD>(std::min(chunk.size(), size - written));
        DWORD done = 0;
        ok = WriteFile(file, chunk.data(), part, &done, nullptr) && done == part;
        written += done;
    }
    if (ok && writeTime)
        ok = SetFileTime(file, writeTime, nullptr, writeTime) != FALSE;
    CloseHandle(file);
    return ok;
}

std::wstring TestFolder()
{
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"PellaryVolumeTest" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                          std::to_wstring(++counter);
    // Process ids come back under Wine: an earlier run's folder of the same name goes first.
    RemoveTestTree(folder);
    CreateFolders(folder);
    return folder;
}

bool FileExists(const std::wstring& pcPath)
{
    DWORD attributes = GetFileAttributesW(pcPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileSizeOf(const std::wstring& pcPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(pcPath.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring Text(BSTR text)
{
    std::wstring copy = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return copy;
}

HRESULT SetPhoneFileAttributes(const std::wstring& rootFileName, long attributes)
{
    tolv::com::com_ptr<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(CLSID_SCApplication, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, unknown.put_void());
    if (FAILED(hr))
        return hr;
    tolv::com::com_ptr<ISCApplication> application;
    tolv::com::com_ptr<ISCDeviceCollection> devices;
    tolv::com::com_ptr<ISCDevice> device;
    tolv::com::com_ptr<ISCDrive> drive;
    tolv::com::com_ptr<ISCFolder> root;
    tolv::com::com_ptr<ISCFileCollection> files;
    VARIANT first;
    VariantInit(&first);
    first.vt = VT_I4;
    first.lVal = 1;
    BSTR driveName = SysAllocString(L"C:");
    if (FAILED(hr = unknown.query(application)) || FAILED(hr = application->GetDevices(devices.put())) ||
        FAILED(hr = devices->Item(first, device.put())) || FAILED(hr = device->GetDrive(driveName, drive.put())) ||
        FAILED(hr = drive->GetRootFolder(root.put())) || FAILED(hr = root->GetFiles(files.put()))) {
        SysFreeString(driveName);
        return hr;
    }
    SysFreeString(driveName);
    long count = 0;
    files->GetCount(&count);
    for (long index = 1; index <= count; ++index) {
        VARIANT at;
        VariantInit(&at);
        at.vt = VT_I4;
        at.lVal = index;
        tolv::com::com_ptr<ISCItem> item;
        if (FAILED(files->Item(at, item.put())))
            continue;
        tolv::com::com_ptr<ISCFile> file;
        BSTR name = nullptr;
        if (FAILED(item.query(file)) || FAILED(file->GetShortName(&name)))
            continue;
        const bool match = Text(name) == rootFileName;
        if (match)
            return file->SetAttributes(attributes);
    }
    return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

HRESULT STDMETHODCALLTYPE RecordingSink::QueryInterface(REFIID iid, void** result)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID_IKivAllServerEvents)) {
        *result = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE RecordingSink::Release()
{
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE RecordingSink::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                                UINT*)
{
    ReceivedEvent event{id, 0, L"", 0, L""};
    // Arguments arrive last first.
    VARIANTARG* args = params->rgvarg;
    const UINT count = params->cArgs;
    if ((id == EVENT_PROGRESS && count == 4) || (id == EVENT_COMPLETION && count == 3)) {
        const UINT base = id == EVENT_PROGRESS ? 1 : 0;
        event.action = V_I4(&args[count - 1]);
        event.path = V_BSTR(&args[count - 2]) ? V_BSTR(&args[count - 2]) : L"";
        event.value = V_I4(&args[base]);
        if (id == EVENT_PROGRESS && m_cancelAt >= 0 && event.value >= m_cancelAt)
            *V_BOOLREF(&args[0]) = VARIANT_TRUE;
    } else if ((id == EVENT_CONNECTED || id == EVENT_DISCONNECTED) && count >= 1) {
        event.path = V_BSTR(&args[count - 1]) ? V_BSTR(&args[count - 1]) : L"";
        if (id == EVENT_CONNECTED && count >= 2 && V_BSTR(&args[count - 2]))
            event.deviceInformation = V_BSTR(&args[count - 2]);
    }
    tolv::com::auto_lock lock(m_lock);
    m_events.push_back(event);
    return S_OK;
}

std::vector<ReceivedEvent> RecordingSink::Events()
{
    tolv::com::auto_lock lock(m_lock);
    return m_events;
}

std::vector<ReceivedEvent> RecordingSink::EventsOf(DISPID id)
{
    std::vector<ReceivedEvent> found;
    for (const ReceivedEvent& event : Events())
        if (event.id == id)
            found.push_back(event);
    return found;
}

bool RecordingSink::WaitFor(DISPID id, DWORD timeoutMs, long action)
{
    return PumpMessagesUntil(
        [&] {
            for (const ReceivedEvent& event : EventsOf(id))
                if (action < 0 || event.action == action)
                    return true;
            return false;
        },
        timeoutMs);
}

namespace {

// Held for the whole suite: between two tests the server would otherwise have no client and
// quit, and a test's creation could meet it half-way down.
tolv::com::com_init* g_suiteApartment = nullptr;
IKivVolume2* g_keeper = nullptr;

}  // namespace

void VolumeTest::SetUpTestSuite()
{
    ASSERT_EQ(ConnectPhone(), 0);
    g_suiteApartment = new tolv::com::com_init(COINIT_APARTMENTTHREADED);
    ASSERT_EQ(CoCreateInstance(CLSID_KivVolume2, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivVolume2,
                               reinterpret_cast<void**>(&g_keeper)),
              S_OK);
}

void VolumeTest::TearDownTestSuite()
{
    if (g_keeper)
        g_keeper->Release();
    g_keeper = nullptr;
    delete g_suiteApartment;
    g_suiteApartment = nullptr;
    // Kivlink and the simulator end by themselves once nobody holds them.
    EXPECT_TRUE(EndPhoneSim(30000));
    WaitUntilGone(L"Kivlink.exe", 30000);
}

void VolumeTest::SetUp()
{
    ASSERT_TRUE(m_com.succeeded());
    ASSERT_EQ(m_sinkInterfaces.keep({DIID_IKivAllServerEvents, IID_IDispatch}), S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_KivVolume2, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivVolume2, m_volume.put_void()),
              S_OK);
}

void VolumeTest::TearDown()
{
    for (auto& [point, cookie] : m_advised)
        point->Unadvise(cookie);
    m_advised.clear();
    m_volume = nullptr;
    m_sinks.clear();
}

RecordingSink& VolumeTest::AdvisedSink()
{
    tolv::com::com_ptr<RecordingSink> sink;
    sink.attach(new RecordingSink);
    m_sinks.push_back(sink);
    tolv::com::com_ptr<IConnectionPointContainer> container;
    EXPECT_EQ(m_volume.query(container), S_OK);
    tolv::com::com_ptr<IConnectionPoint> point;
    if (container) {
        EXPECT_EQ(container->FindConnectionPoint(DIID_IKivAllServerEvents, point.put()), S_OK);
    }
    if (!point)
        return *sink.get();
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(sink.get(), &cookie), S_OK);
    if (cookie)
        m_advised.emplace_back(point, cookie);
    return *sink.get();
}
