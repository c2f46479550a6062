#pragma once
// Which candidates fit into the phone's memory while the chosen share of the card stays free.
// Sizes and memory are compared as the phone reports them: file sizes in KiB against memory in
// thousands of bytes.
#include "plugins/tunepane/Mp3TransferRecord.h"

#include <cstddef>
#include <functional>

namespace tolv::tunepane {

// What may be filled: `freeSpace` less `percentage` per cent of `capacity` (thousands of
// bytes); negative when less is free than must stay free.
long UploadBudget(long freeSpace, long capacity, int percentage);

// Picks the index of the next candidate to try among `remaining` (at least 1).
using CandidateDraw = std::function<size_t(size_t remaining)>;

// The candidates in list order.
size_t FirstCandidate(size_t remaining);
// A random candidate; the generator is seeded with the time before every draw, so draws in
// the same second start the same sequence again (the shrinking list still moves them on).
size_t RandomCandidate(size_t remaining);
// FirstCandidate, or RandomCandidate when `randomSelection` is exactly 1.
CandidateDraw DrawFor(int randomSelection);

// The candidates, taken in the order `draw` picks them, that fit into `budget` one after the
// other; one that does not fit is dropped and the next may still fit. Files under 1 KiB always
// fit.
Mp3TransferList SelectWithinBudget(Mp3TransferList candidates, long budget, const CandidateDraw& draw);

}  // namespace tolv::tunepane
