// Holds a transfer to a rate in bytes per second (0: as fast as the disk goes).
#pragma once

#include <windows.h>

namespace phonesim {

class CTransferPacer {
public:
    explicit CTransferPacer(LONG bytesPerSecond) noexcept;

    // How many bytes to move before the next call to Account.
    DWORD ChunkSize() const noexcept { return m_chunk; }
    // Counts moved bytes and sleeps until the rate allows the next chunk.
    void Account(unsigned long long bytes) noexcept;
    // Time spent stalled does not count against the rate.
    void Restart() noexcept;

private:
    unsigned long long m_rate;
    DWORD m_chunk;
    ULONGLONG m_start;
    unsigned long long m_bytes = 0;
};

}  // namespace phonesim
