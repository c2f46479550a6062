#include "PatternFile.h"

#include "AsciiText.h"

#include "com/UniqueHandle.h"
#include "com/HResult.h"

#include <cstdio>
#include <vector>

using tolv::com::unique_handle;

namespace {

constexpr DWORD kChunk = 1 << 20;

class CPatternGenerator {
public:
    explicit CPatternGenerator(unsigned seed) : m_state(0x9E3779B97F4A7C15ull ^ seed) {}
    void Fill(std::vector<unsigned char>& buffer, size_t count)
    {
        for (size_t i = 0; i < count; i += 8) {
            // xorshift64: cheap enough that writing 100 MB is bound by the disk.
            m_state ^= m_state << 13;
            m_state ^= m_state >> 7;
            m_state ^= m_state << 17;
            for (size_t b = 0; b < 8 && i + b < count; ++b)
                buffer[i + b] = static_cast<unsigned char>(m_state >> (8 * b));
        }
    }

private:
    unsigned long long m_state;
};

unique_handle OpenForReading(const std::wstring& path)
{
    return unique_handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

bool ReadChunk(HANDLE file, std::vector<unsigned char>& buffer, DWORD& got)
{
    got = 0;
    while (got < kChunk) {
        DWORD part = 0;
        if (!ReadFile(file, buffer.data() + got, kChunk - got, &part, nullptr))
            return false;
        if (part == 0)
            break;
        got += part;
    }
    return true;
}

}  // namespace

HRESULT WritePatternFile(const std::wstring& path, ULONGLONG size, unsigned seed)
{
    unique_handle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return tolv::com::HResultFromLastError();
    CPatternGenerator generator(seed);
    std::vector<unsigned char> buffer(kChunk);
    for (ULONGLONG written = 0; written < size;) {
        const DWORD count = static_cast<DWORD>(size - written < kChunk ? size - written : kChunk);
        generator.Fill(buffer, count);
        DWORD done = 0;
        if (!WriteFile(file.get(), buffer.data(), count, &done, nullptr) || done != count)
            return tolv::com::HResultFromLastError();
        written += count;
    }
    return S_OK;
}

std::string ContentDifference(const std::wstring& expected, const std::wstring& actual)
{
    unique_handle left = OpenForReading(expected);
    if (!left)
        return "cannot open " + Narrow(expected);
    unique_handle right = OpenForReading(actual);
    if (!right)
        return "cannot open " + Narrow(actual);
    LARGE_INTEGER leftSize{}, rightSize{};
    GetFileSizeEx(left.get(), &leftSize);
    GetFileSizeEx(right.get(), &rightSize);
    char text[160];
    if (leftSize.QuadPart != rightSize.QuadPart) {
        std::snprintf(text, sizeof(text), "%lld bytes instead of %lld", static_cast<long long>(rightSize.QuadPart),
                      static_cast<long long>(leftSize.QuadPart));
        return text;
    }
    std::vector<unsigned char> leftBuffer(kChunk), rightBuffer(kChunk);
    for (long long offset = 0; offset < leftSize.QuadPart;) {
        DWORD leftGot = 0, rightGot = 0;
        if (!ReadChunk(left.get(), leftBuffer, leftGot) || !ReadChunk(right.get(), rightBuffer, rightGot) ||
            leftGot != rightGot || leftGot == 0)
            return "read failed";
        for (DWORD i = 0; i < leftGot; ++i) {
            if (leftBuffer[i] != rightBuffer[i]) {
                std::snprintf(text, sizeof(text), "bytes differ from offset %lld", static_cast<long long>(offset + i));
                return text;
            }
        }
        offset += leftGot;
    }
    return {};
}
