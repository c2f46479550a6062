#pragma once
// The transfer list of one upload from its candidates: the files that fit, each with its name
// on the phone. Tells the user when not all candidates fit.
#include "plugins/tunepane/Mp3TransferRecord.h"

class IModuleResource;

namespace tolv::tunepane {

struct Mp3Memory {
    long freeSpace = 0;  // thousands of bytes
    long capacity = 0;  // thousands of bytes
};

// `percentage`: the share of the card to keep free; `randomSelection`: 1 draws at random.
Mp3TransferList BuildTransferList(Mp3TransferList candidates, const Mp3Memory& memory, int percentage,
                                  int randomSelection, IModuleResource& texts);

}  // namespace tolv::tunepane
