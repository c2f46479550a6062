// Reading and moving through the stream, and clones that start afresh.
#include "StreamTestFiles.h"

#include "Components/Kivlink/streams/CreateKivFileStream.h"

namespace {

using StreamReading = StreamTest;
using StreamSeeking = StreamTest;
using StreamCloning = StreamTest;

LARGE_INTEGER Move(LONGLONG distance)
{
    LARGE_INTEGER move;
    move.QuadPart = distance;
    return move;
}

// The next `count` bytes the stream reads.
std::string ReadNext(IStream* stream, ULONG count)
{
    std::string bytes(count, '\0');
    ULONG read = 0;
    EXPECT_EQ(stream->Read(bytes.data(), count, &read), S_OK);
    bytes.resize(read);
    return bytes;
}

}  // namespace

TEST_F(StreamReading, GivesTheWholeFileInPieces)
{
    EXPECT_EQ(ReadToEnd(stream.get(), 777), content);
}

TEST_F(StreamReading, PastTheEndSucceedsWithNothingRead)
{
    ReadToEnd(stream.get());
    char buffer[16] = {};
    ULONG read = 12345;
    EXPECT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
    EXPECT_EQ(read, 0u);
}

TEST_F(StreamReading, WithoutACounterStillReads)
{
    char buffer[8] = {};
    ASSERT_EQ(stream->Read(buffer, sizeof buffer, nullptr), S_OK);
    EXPECT_EQ(std::string(buffer, sizeof buffer), content.substr(0, sizeof buffer));
    EXPECT_EQ(ReadNext(stream.get(), 8), content.substr(8, 8));
}

TEST_F(StreamReading, RefusesANullBufferForBytesButNotForNone)
{
    ULONG read = 99;
    EXPECT_EQ(stream->Read(nullptr, 10, &read), E_POINTER);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(stream->Read(nullptr, 0, &read), S_OK);
    EXPECT_EQ(ReadNext(stream.get(), 10), content.substr(0, 10));
}

TEST_F(StreamReading, OfAMissingFileCannotBegin)
{
    tolv::com::com_ptr<IStream> missing;
    EXPECT_EQ(CreateKivFileStream(CKivString((folder / L"KivFFFF.tmp.xxx").c_str()), missing.put()),
              HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(missing);
}

TEST_F(StreamSeeking, FromTheStartTheCurrentPositionAndTheEnd)
{
    ULARGE_INTEGER position{};
    ASSERT_EQ(stream->Seek(Move(5000), STREAM_SEEK_SET, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 5000u);
    EXPECT_EQ(ReadNext(stream.get(), 100), content.substr(5000, 100));

    ASSERT_EQ(stream->Seek(Move(-600), STREAM_SEEK_CUR, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 4500u);
    EXPECT_EQ(ReadNext(stream.get(), 100), content.substr(4500, 100));

    ASSERT_EQ(stream->Seek(Move(-10), STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position.QuadPart, kFileBytes - 10);
    EXPECT_EQ(ReadNext(stream.get(), 100), content.substr(kFileBytes - 10));
}

TEST_F(StreamSeeking, WithoutAnAnswerStillMoves)
{
    ASSERT_EQ(stream->Seek(Move(42), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(ReadNext(stream.get(), 5), content.substr(42, 5));
}

TEST_F(StreamSeeking, RefusesAnUnknownOriginAndStaysWhereItWas)
{
    ASSERT_EQ(stream->Seek(Move(300), STREAM_SEEK_SET, nullptr), S_OK);
    ULARGE_INTEGER position{};
    position.QuadPart = 777;
    EXPECT_EQ(stream->Seek(Move(0), 3, &position), E_INVALIDARG);
    EXPECT_EQ(position.QuadPart, 777u);
    EXPECT_EQ(ReadNext(stream.get(), 5), content.substr(300, 5));
}

TEST_F(StreamSeeking, BeforeTheStartFailsAndKeepsThePosition)
{
    ASSERT_EQ(stream->Seek(Move(300), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_TRUE(FAILED(stream->Seek(Move(-1), STREAM_SEEK_SET, nullptr)));
    EXPECT_EQ(ReadNext(stream.get(), 5), content.substr(300, 5));
}

TEST_F(StreamCloning, StartsAtTheBeginningAfterTheOriginalWasReadHalfway)
{
    ReadNext(stream.get(), kFileBytes / 2);
    tolv::com::com_ptr<IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), S_OK);
    ASSERT_TRUE(clone);
    EXPECT_FALSE(tolv::com::IsSameObject(clone.get(), stream.get()));
    EXPECT_EQ(ReadToEnd(clone.get()), content);
    EXPECT_EQ(ReadToEnd(stream.get()), content.substr(kFileBytes / 2));
}

TEST_F(StreamCloning, RefusesANullTarget)
{
    EXPECT_EQ(stream->Clone(nullptr), E_POINTER);
}
