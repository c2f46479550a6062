// The stream only reads: every changing method is refused and the file stays as it was.
#include "StreamTestFiles.h"

#include "Components/Kivlink/streams/KivFileStream.h"

namespace {

using StreamReadOnly = StreamTest;

}  // namespace

TEST_F(StreamReadOnly, RefusesWriteAndSetSizeAndLeavesTheFileUnchanged)
{
    const char replacement[] = "overwritten";
    ULONG written = 99;
    EXPECT_EQ(stream->Write(replacement, sizeof replacement, &written), E_NOTIMPL);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(stream->SetSize(Bytes(10)), E_NOTIMPL);
    EXPECT_EQ(stream->SetSize(Bytes(kFileBytes * 2)), E_NOTIMPL);
    EXPECT_EQ(ReadPcFile(path), content);
    EXPECT_EQ(ReadToEnd(stream.get()), content);
}

TEST_F(StreamReadOnly, HasNoTransactionsAndNoRegionLocks)
{
    EXPECT_EQ(stream->Commit(STGC_DEFAULT), E_NOTIMPL);
    EXPECT_EQ(stream->Revert(), E_NOTIMPL);
    EXPECT_EQ(stream->LockRegion(Bytes(0), Bytes(10), LOCK_EXCLUSIVE), E_NOTIMPL);
    EXPECT_EQ(stream->UnlockRegion(Bytes(0), Bytes(10), LOCK_EXCLUSIVE), E_NOTIMPL);
}

// The raw write the base offers to writable streams.
class StreamRawWrite : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(KivFileStreamObject::Create(stream, nullptr), S_OK); }

    HANDLE OpenTarget(DWORD access)
    {
        return CreateFileW(target.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0,
                           nullptr);
    }

    TestFolder folder;
    const std::wstring target = folder / L"raw.bin";
    tolv::com::com_ptr<KivFileStreamObject> stream;
};

TEST_F(StreamRawWrite, WritesEveryByteAndCountsThem)
{
    const tolv::com::unique_handle file(OpenTarget(GENERIC_WRITE));
    ASSERT_TRUE(file);
    const std::string bytes = PatternBytes(3000);
    ULONG written = 0;
    ASSERT_EQ(stream->WriteRaw(file.get(), bytes.data(), static_cast<ULONG>(bytes.size()), &written), S_OK);
    EXPECT_EQ(written, bytes.size());
    EXPECT_EQ(ReadPcFile(target), bytes);
}

TEST_F(StreamRawWrite, RefusesANullBufferForBytes)
{
    const tolv::com::unique_handle file(OpenTarget(GENERIC_WRITE));
    ULONG written = 5;
    EXPECT_EQ(stream->WriteRaw(file.get(), nullptr, 4, &written), E_POINTER);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(stream->WriteRaw(file.get(), nullptr, 0, nullptr), S_OK);
}

TEST_F(StreamRawWrite, ToAHandleOpenForReadingGivesTheSystemsError)
{
    const tolv::com::unique_handle file(OpenTarget(GENERIC_READ));
    ASSERT_TRUE(file);
    EXPECT_EQ(stream->WriteRaw(file.get(), "x", 1, nullptr), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
}
