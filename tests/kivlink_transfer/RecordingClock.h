#pragma once
// A transfer clock that only notes its pauses and lets the test change things meanwhile.
#include "Components/Kivlink/transfer/TransferClock.h"

#include <functional>
#include <vector>

class RecordingClock : public IKivTransferClock {
public:
    void Pause(DWORD milliseconds) override
    {
        pauses.push_back(milliseconds);
        if (onPause)
            onPause(pauses.size());
    }

    std::vector<DWORD> pauses;
    // Called with the number of pauses so far.
    std::function<void(size_t)> onPause;
};
