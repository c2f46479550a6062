#include "tools/kivctl/LogProgress.h"

#include <algorithm>

namespace {

constexpr long kFull = 100;

}  // namespace

std::optional<long> CLogProgressSteps::Next(long percentage)
{
    const long reached = std::clamp(percentage, 0L, kFull) / kStep * kStep;
    if (reached <= m_lastPrinted) {
        return std::nullopt;
    }
    m_lastPrinted = reached;
    return reached;
}
