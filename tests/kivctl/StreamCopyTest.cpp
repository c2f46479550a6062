#include "tools/kivctl/StreamCopy.h"

#include <string>

#include <gtest/gtest.h>

#include "com/ComPtr.h"
#include "com/UniqueHandle.h"

using tolv::com::com_ptr;

namespace {

// Bytes of every value, CR and LF and NUL among them, so that any text translation shows.
std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    unsigned value = 7;
    for (char& byte : bytes) {
        value = value * 1103515245u + 12345u;
        byte = static_cast<char>(value >> 16);
    }
    return bytes;
}

com_ptr<IStream> StreamOver(const std::string& bytes)
{
    com_ptr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

// A scratch file that goes when its handle closes.
tolv::com::unique_handle ScratchFile(DWORD access)
{
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"kvc", 0, path);
    return tolv::com::unique_handle(CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

// Copies into a file, as into a redirected standard output, and reads back what arrived.
std::string Copied(IStream* stream, HRESULT& result)
{
    tolv::com::unique_handle file = ScratchFile(GENERIC_READ | GENERIC_WRITE);
    EXPECT_TRUE(file.valid());
    result = CopyStreamToHandle(stream, file.get());
    SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
    std::string received;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        received.append(buffer, read);
    }
    return received;
}

}  // namespace

TEST(KivctlStreamCopy, EveryByteArrivesUnchangedAcrossChunks)
{
    // More than two chunks and a part of one.
    const std::string bytes = Pattern(200 * 1024 + 3);
    com_ptr<IStream> stream = StreamOver(bytes);
    HRESULT result = E_FAIL;
    EXPECT_EQ(Copied(stream.get(), result), bytes);
    EXPECT_EQ(result, S_OK);

    com_ptr<IStream> empty = StreamOver({});
    EXPECT_EQ(Copied(empty.get(), result), "");
    EXPECT_EQ(result, S_OK);
}

TEST(KivctlStreamCopy, AWriteThatFailsEndsTheCopyWithItsError)
{
    com_ptr<IStream> stream = StreamOver(Pattern(1000));
    tolv::com::unique_handle readOnly = ScratchFile(GENERIC_READ);
    ASSERT_TRUE(readOnly.valid());
    EXPECT_EQ(CopyStreamToHandle(stream.get(), readOnly.get()), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CopyStreamToHandle(nullptr, readOnly.get()), E_POINTER);
}
