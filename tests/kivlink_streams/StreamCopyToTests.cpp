// CopyTo into another stream: what arrives, what the counters say, where it stops.
#include "StreamTestFiles.h"

#include "Components/Kivlink/streams/CreateKivFileStream.h"

namespace {

class StreamCopyTo : public StreamTest {
protected:
    void SetUp() override
    {
        StreamTest::SetUp();
        ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, target.put()), S_OK);
    }

    std::string Arrived()
    {
        HGLOBAL memory = nullptr;
        EXPECT_EQ(GetHGlobalFromStream(target.get(), &memory), S_OK);
        STATSTG stat{};
        EXPECT_EQ(target->Stat(&stat, STATFLAG_NONAME), S_OK);
        const char* bytes = static_cast<const char*>(GlobalLock(memory));
        std::string arrived(bytes, static_cast<size_t>(stat.cbSize.QuadPart));
        GlobalUnlock(memory);
        return arrived;
    }

    tolv::com::com_ptr<IStream> target;
};

constexpr ULONGLONG kEverything = ~0ull;

}  // namespace

TEST_F(StreamCopyTo, CopiesTheWholeFileByteForByte)
{
    ULARGE_INTEGER read{}, written{};
    ASSERT_EQ(stream->CopyTo(target.get(), Bytes(kEverything), &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, kFileBytes);
    EXPECT_EQ(written.QuadPart, kFileBytes);
    EXPECT_EQ(Arrived(), content);
}

TEST_F(StreamCopyTo, StopsAfterTheBytesAskedForAndLeavesTheRestToRead)
{
    constexpr ULONGLONG kAskedFor = 5000;
    ULARGE_INTEGER read{}, written{};
    ASSERT_EQ(stream->CopyTo(target.get(), Bytes(kAskedFor), &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, kAskedFor);
    EXPECT_EQ(written.QuadPart, kAskedFor);
    EXPECT_EQ(Arrived(), content.substr(0, kAskedFor));
    EXPECT_EQ(ReadToEnd(stream.get()), content.substr(kAskedFor));
}

TEST_F(StreamCopyTo, BeginsAtTheStreamsPosition)
{
    constexpr LONGLONG kStart = 1000;
    LARGE_INTEGER start;
    start.QuadPart = kStart;
    ASSERT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
    ULARGE_INTEGER read{};
    ASSERT_EQ(stream->CopyTo(target.get(), Bytes(kEverything), &read, nullptr), S_OK);
    EXPECT_EQ(read.QuadPart, kFileBytes - kStart);
    EXPECT_EQ(Arrived(), content.substr(kStart));
}

TEST_F(StreamCopyTo, WithoutCountersStillCopies)
{
    ASSERT_EQ(stream->CopyTo(target.get(), Bytes(kEverything), nullptr, nullptr), S_OK);
    EXPECT_EQ(Arrived(), content);
}

TEST_F(StreamCopyTo, EndsWithTheTargetsFailureAfterOneChunk)
{
    // A stream of our own refuses to be written to.
    WriteBytes(folder / L"KivCD34.tmp.xxx", "unchanged");
    tolv::com::com_ptr<IStream> readOnly;
    ASSERT_EQ(CreateKivFileStream(CKivString((folder / L"KivCD34.tmp.xxx").c_str()), readOnly.put()), S_OK);
    ULARGE_INTEGER read{}, written{};
    read.QuadPart = written.QuadPart = 77;
    EXPECT_EQ(stream->CopyTo(readOnly.get(), Bytes(kEverything), &read, &written), E_NOTIMPL);
    EXPECT_EQ(read.QuadPart, 4096u);
    EXPECT_EQ(written.QuadPart, 0u);
}

TEST_F(StreamCopyTo, RefusesANullTargetAndLeavesTheCountersAlone)
{
    ULARGE_INTEGER read{};
    read.QuadPart = 5;
    EXPECT_EQ(stream->CopyTo(nullptr, Bytes(kEverything), &read, nullptr), E_POINTER);
    EXPECT_EQ(ReadToEnd(stream.get()), content);
}
