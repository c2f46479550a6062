#pragma once
// A temporary file of known content, named as GetFile's temporary files are, and the stream
// over it that the tests work with.
#include "TransferTestFiles.h"

#include "com/ComInit.h"
#include "com/ComPtr.h"

#include <gtest/gtest.h>

#include <objidl.h>

#include <string>

// Bytes that differ from their neighbours, so that a read from the wrong offset shows.
std::string PatternBytes(size_t count);
void WriteBytes(const std::wstring& path, const std::string& bytes);

// A byte count as stream methods take it.
ULARGE_INTEGER Bytes(ULONGLONG count);

// Everything read from stream's position to its end, in reads of `piece` bytes.
std::string ReadToEnd(IStream* stream, ULONG piece = 1000);

class StreamTest : public testing::Test {
protected:
    // Larger than three copy chunks, and no multiple of one.
    static constexpr size_t kFileBytes = 3 * 4096 + 1234;

    void SetUp() override;

    tolv::com::com_init com{COINIT_MULTITHREADED};
    TestFolder folder;
    const std::wstring path = folder / L"KivAB12.tmp.xxx";
    const std::string content = PatternBytes(kFileBytes);
    tolv::com::com_ptr<IStream> stream;
};
