// A phone file streamed to this process and back, and the changes Kivlink tells a folder's
// registrations about, both through the one-volume interface.
#include "VolumeFixture.h"

#include "com/UniqueBstr.h"

#include <oleauto.h>

#include <string>
#include <vector>

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace {

constexpr size_t kLargeFileBytes = 20u * 1024u * 1024u;
constexpr ULONG kReadChunk = 64 * 1024;
// Kivlink holds a folder's changes back until it has been quiet this long.
constexpr DWORD kHoldMs = 200;
constexpr DWORD kChangeWaitMs = 5000;

std::string ReadAll(IStream* stream)
{
    std::string content;
    std::vector<char> chunk(kReadChunk);
    for (;;) {
        ULONG read = 0;
        if (FAILED(stream->Read(chunk.data(), kReadChunk, &read)) || read == 0)
            return content;
        content.append(chunk.data(), read);
    }
}

std::string FileContent(const std::wstring& pcPath)
{
    std::string content;
    HANDLE file = CreateFileW(pcPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    std::vector<char> chunk(kReadChunk);
    DWORD read = 0;
    while (ReadFile(file, chunk.data(), kReadChunk, &read, nullptr) && read > 0)
        content.append(chunk.data(), read);
    CloseHandle(file);
    return content;
}

// Counts the changes it hears, per path; lives until Kivlink's last reference goes.
class ChangeRecorder final : public IKivNotifySink {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IKivNotifySink)) {
            *result = static_cast<IKivNotifySink*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE OnChange(BSTR path) override
    {
        m_heard.push_back({Text(path), GetTickCount()});
        return S_OK;
    }

    struct Heard {
        std::wstring path;
        DWORD tick;
    };
    const std::vector<Heard>& HeardSoFar() const { return m_heard; }

private:
    volatile LONG m_references = 1;
    std::vector<Heard> m_heard;  // callbacks arrive through this apartment's messages only
};

// Runs this apartment's messages (the callbacks come through them) for the given time.
void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

class OneVolumeStreamTest : public VolumeTest {
protected:
    void SetUp() override
    {
        VolumeTest::SetUp();
        ASSERT_EQ(m_changeInterfaces.keep({IID_IKivNotifySink}), S_OK);
        ASSERT_EQ(
            CoCreateInstance(CLSID_KivMobilePhone, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivVolume, m_phone.put_void()),
            S_OK);
    }
    void TearDown() override
    {
        for (LONG token : m_tokens)
            m_phone->RemoveChangeNotification(token);
        m_phone = nullptr;
        VolumeTest::TearDown();
    }

    com_ptr<ChangeRecorder> Register(const wchar_t* path)
    {
        com_ptr<ChangeRecorder> recorder;
        recorder.attach(new ChangeRecorder);
        LONG token = 0;
        EXPECT_EQ(m_phone->AddChangeNotification(unique_bstr(path).get(), recorder.get(), &token), S_OK);
        m_tokens.push_back(token);
        return recorder;
    }

    tolv::com::stub_registration_keeper m_changeInterfaces;
    com_ptr<IKivVolume> m_phone;
    std::vector<LONG> m_tokens;
};

}  // namespace

TEST_F(OneVolumeStreamTest, ALargePhoneFileStreamsToAnotherProcessByteForByteAndBack)
{
    std::string content(kLargeFileBytes, '\0');
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>((i * 131 + i / 4096) & 0xFF);
    // The folder first, then the content straight into the file that backs the phone's.
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Streamed\\large.bin"), 0));
    HANDLE file = CreateFileW(BackingPath(L"E:\\Streamed\\large.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, content.size());

    com_ptr<IUnknown> unknown;
    ASSERT_EQ(m_phone->GetFile(unique_bstr(L"MultiMediaCard (E:)\\Streamed\\large.bin").get(), unknown.put()), S_OK);
    com_ptr<IStream> stream;
    ASSERT_EQ(unknown.query(stream), S_OK);
    STATSTG facts = {};
    ASSERT_EQ(stream->Stat(&facts, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(facts.cbSize.QuadPart, kLargeFileBytes);
    CoTaskMemFree(facts.pwcsName);
    const std::string received = ReadAll(stream.get());
    ASSERT_EQ(received.size(), content.size());
    EXPECT_TRUE(received == content);

    // And back under another name, from the stream this process was handed.
    LARGE_INTEGER start = {};
    ASSERT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(m_phone->PutFile(unique_bstr(L"E:\\Streamed\\returned.bin").get(), stream.get(), 0), S_OK);
    EXPECT_TRUE(FileContent(BackingPath(L"E:\\Streamed\\returned.bin")) == content);

    EXPECT_EQ(m_phone->GetFile(unique_bstr(L"E:\\Streamed\\*.bin").get(), unknown.put()), E_INVALIDARG);
    EXPECT_EQ(m_phone->GetFile(unique_bstr(L"E:\\Streamed\\missing.bin").get(), unknown.put()), KIV_E_FILENOTFOUND);
}
TEST_F(OneVolumeStreamTest, AFolderRegistrationHearsOfItsOwnFolderOnceAfterTheChangesSettle)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Heard\\a.txt"), 4));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Heard\\b.txt"), 4));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Quiet\\c.txt"), 4));
    com_ptr<ChangeRecorder> heard = Register(L"\\Heard\\");
    com_ptr<ChangeRecorder> alsoHeard = Register(L"\\heard\\");
    com_ptr<ChangeRecorder> quiet = Register(L"\\Quiet\\");

    ASSERT_EQ(m_volume->RemoveEntry(unique_bstr(L"C:\\Heard\\a.txt").get()), S_OK);
    ASSERT_EQ(m_volume->RemoveEntry(unique_bstr(L"C:\\Heard\\b.txt").get()), S_OK);
    const DWORD lastChange = GetTickCount();
    PumpFor(kChangeWaitMs);

    ASSERT_EQ(heard->HeardSoFar().size(), 1u);
    EXPECT_EQ(heard->HeardSoFar()[0].path, L"\\Heard\\");
    EXPECT_GE(heard->HeardSoFar()[0].tick - lastChange, kHoldMs / 2);
    EXPECT_EQ(alsoHeard->HeardSoFar().size(), 1u);
    EXPECT_TRUE(quiet->HeardSoFar().empty());
}

TEST_F(OneVolumeStreamTest, ABroadcastReachesEveryRegistrationAndARemovedTokenIsNeverGivenAgain)
{
    com_ptr<ChangeRecorder> first = Register(L"\\One\\");
    com_ptr<ChangeRecorder> second = Register(L"MultiMediaCard (E:)\\Two\\");
    ASSERT_EQ(m_phone->BroadcastChangeNotification(unique_bstr(L"\\Everyone\\").get()), S_OK);
    PumpFor(kHoldMs);
    ASSERT_EQ(first->HeardSoFar().size(), 1u);
    EXPECT_EQ(first->HeardSoFar()[0].path, L"\\Everyone\\");
    EXPECT_EQ(second->HeardSoFar().size(), 1u);

    const LONG removed = m_tokens.back();
    ASSERT_EQ(m_phone->RemoveChangeNotification(removed), S_OK);
    m_tokens.pop_back();
    EXPECT_EQ(m_phone->RemoveChangeNotification(removed), E_INVALIDARG);
    com_ptr<ChangeRecorder> third = Register(L"\\Three\\");
    EXPECT_GT(m_tokens.back(), removed);
}
