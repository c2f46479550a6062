// A client's stream on its way to the phone: its whole content, from its start, in a new
// unique temporary file.
#include "TransferTestFiles.h"

#include "Components/Kivlink/transfer/StreamToTempFile.h"

#include "com/ComInit.h"
#include "com/ComPtr.h"
#include "trace/TolvTrace.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class StreamToTempFile : public testing::Test {
protected:
    tolv::com::com_ptr<IStream> Stream(const std::string& content)
    {
        tolv::com::com_ptr<IStream> stream;
        EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
        ULONG written = 0;
        EXPECT_EQ(stream->Write(content.data(), static_cast<ULONG>(content.size()), &written), S_OK);
        return stream;
    }

    tolv::com::com_init com{COINIT_MULTITHREADED};
    TestFolder folder;
    CTolvTrace trace{"KivlinkTransferTest", 3, true};
};

// A stream that reports more than it holds.
class ShortStream : public IStream {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG wanted, ULONG* read) override
    {
        ULONG count = m_left < wanted ? m_left : wanted;
        memset(buffer, 'r', count);
        m_left -= count;
        *read = count;
        return count < wanted ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* statistics, DWORD) override
    {
        *statistics = {};
        statistics->cbSize.QuadPart = m_reported;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

    ULONGLONG m_reported = 100;
    ULONG m_left = 60;
};

}  // namespace

TEST_F(StreamToTempFile, WritesTheWholeContentFromItsStart)
{
    std::string content(70000, 'a');
    content[12345] = 'b';
    auto stream = Stream(content);  // positioned at its end
    CKivString tempFile;
    ASSERT_EQ(CopyStreamToTempFile(stream.get(), tempFile, &trace), S_OK);
    const std::wstring name = tempFile.c_str();
    EXPECT_EQ(name.substr(0, folder.Path().size() + 3), folder.Path() + L"Kiv");
    EXPECT_EQ(ReadPcFile(name), content);
    // The archive bit marks it like any new file.
    EXPECT_TRUE(GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(StreamToTempFile, AnEmptyStreamGivesAnEmptyFile)
{
    auto stream = Stream("");
    CKivString tempFile;
    ASSERT_EQ(CopyStreamToTempFile(stream.get(), tempFile, &trace), S_OK);
    EXPECT_TRUE(PcFileExists(tempFile.c_str()));
    EXPECT_EQ(ReadPcFile(tempFile.c_str()), "");
}

TEST_F(StreamToTempFile, RefusesWhatItCannotTakeWhole)
{
    CKivString tempFile;
    EXPECT_EQ(CopyStreamToTempFile(nullptr, tempFile, &trace), E_POINTER);
    ShortStream shortStream;
    EXPECT_EQ(CopyStreamToTempFile(&shortStream, tempFile, &trace), E_FAIL);
    ShortStream huge;
    huge.m_reported = 0x100000000ull;
    EXPECT_EQ(CopyStreamToTempFile(&huge, tempFile, &trace), E_INVALIDARG);
}
