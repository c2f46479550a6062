#include "platform/phonesim/TransferPacer.h"

#include <algorithm>

namespace phonesim {

CTransferPacer::CTransferPacer(LONG bytesPerSecond) noexcept
    : m_rate(bytesPerSecond > 0 ? static_cast<unsigned long long>(bytesPerSecond) : 0),
      // About ten chunks a second at a set rate, so that progress moves smoothly.
      m_chunk(m_rate == 0 ? 256 * 1024 : static_cast<DWORD>(std::clamp<unsigned long long>(m_rate / 10, 1, 64 * 1024))),
      m_start(GetTickCount64())
{
}

void CTransferPacer::Account(unsigned long long bytes) noexcept
{
    m_bytes += bytes;
    if (m_rate == 0) {
        return;
    }
    const ULONGLONG due = m_start + m_bytes * 1000 / m_rate;
    const ULONGLONG now = GetTickCount64();
    if (due > now) {
        Sleep(static_cast<DWORD>(due - now));
    }
}

void CTransferPacer::Restart() noexcept
{
    m_start = GetTickCount64();
    m_bytes = 0;
}

}  // namespace phonesim
