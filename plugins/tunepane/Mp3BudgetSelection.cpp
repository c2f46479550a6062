#include "Mp3BudgetSelection.h"

#include <cstdlib>
#include <ctime>

namespace tolv::tunepane {

namespace {

constexpr long kWhole = 100;
constexpr int kRandomSelectionOn = 1;

}  // namespace

long UploadBudget(long freeSpace, long capacity, int percentage)
{
    return freeSpace - capacity * percentage / kWhole;
}

size_t FirstCandidate(size_t)
{
    return 0;
}

size_t RandomCandidate(size_t remaining)
{
    srand(static_cast<unsigned>(time(nullptr)));
    return static_cast<size_t>(rand()) % remaining;
}

CandidateDraw DrawFor(int randomSelection)
{
    return randomSelection == kRandomSelectionOn ? CandidateDraw(&RandomCandidate) : CandidateDraw(&FirstCandidate);
}

Mp3TransferList SelectWithinBudget(Mp3TransferList candidates, long budget, const CandidateDraw& draw)
{
    Mp3TransferList selected;
    long total = 0;
    while (!candidates.empty()) {
        const auto chosen = candidates.begin() + static_cast<std::ptrdiff_t>(draw(candidates.size()));
        const Mp3TransferRecord candidate = *chosen;
        candidates.erase(chosen);
        // A file under 1 KiB counts as no size at all: it fits even a budget below 0.
        if (candidate.sizeKiB > 0 && total + candidate.sizeKiB > budget)
            continue;
        total += candidate.sizeKiB;
        selected.push_back(candidate);
    }
    return selected;
}

}  // namespace tolv::tunepane
