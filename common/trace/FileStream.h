// An owned C stream: closed when replaced or destroyed.
#pragma once
#include <cstdio>

namespace tolv::trace {

class CFileStream {
public:
    CFileStream() noexcept = default;
    ~CFileStream() { Close(); }
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    // Returns whether the stream is open afterwards.
    bool Open(const char* path, const char* mode) noexcept
    {
        Close();
        m_file = std::fopen(path, mode);
        return m_file != nullptr;
    }

    void Close() noexcept
    {
        if (m_file) {
            std::fclose(m_file);
            m_file = nullptr;
        }
    }

    bool IsOpen() const noexcept { return m_file != nullptr; }
    FILE* Get() const noexcept { return m_file; }

private:
    FILE* m_file = nullptr;
};

}  // namespace tolv::trace
