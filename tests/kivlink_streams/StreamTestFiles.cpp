#include "StreamTestFiles.h"

#include "Components/Kivlink/streams/CreateKivFileStream.h"

#include <filesystem>
#include <fstream>

std::string PatternBytes(size_t count)
{
    // A prime period, so that no chunk size lines up with it.
    constexpr size_t kPeriod = 251;
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / kPeriod) % kPeriod);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << "cannot write the test file";
}

ULARGE_INTEGER Bytes(ULONGLONG count)
{
    ULARGE_INTEGER bytes;
    bytes.QuadPart = count;
    return bytes;
}

std::string ReadToEnd(IStream* stream, ULONG piece)
{
    std::string all;
    std::string buffer(piece, '\0');
    for (;;) {
        ULONG read = 0;
        EXPECT_EQ(stream->Read(buffer.data(), piece, &read), S_OK);
        EXPECT_LE(read, piece);
        if (read == 0)
            return all;
        all.append(buffer.data(), read);
    }
}

void StreamTest::SetUp()
{
    ASSERT_TRUE(com.succeeded());
    WriteBytes(path, content);
    ASSERT_EQ(CreateKivFileStream(CKivString(path.c_str()), stream.put()), S_OK);
    ASSERT_TRUE(stream);
}
