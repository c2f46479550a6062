#include "Mp3TransferListBuilder.h"

#include "Mp3BudgetSelection.h"
#include "Mp3JobMessages.h"
#include "Mp3TargetNames.h"

namespace tolv::tunepane {

Mp3TransferList BuildTransferList(Mp3TransferList candidates, const Mp3Memory& memory, int percentage,
                                  int randomSelection, IModuleResource& texts)
{
    const size_t candidateCount = candidates.size();
    Mp3TransferList list = SelectWithinBudget(
        std::move(candidates), UploadBudget(memory.freeSpace, memory.capacity, percentage), DrawFor(randomSelection));
    if (list.size() < candidateCount)
        ShowLowMemory(texts);
    AssignTargetNames(list);
    return list;
}

}  // namespace tolv::tunepane
