#pragma once
// The upload's candidates from the page's selection, before the budget: every MP3 file of the
// folder rows, every single file that exists, each file once.
#include "plugins/tunepane/Mp3Settings.h"
#include "plugins/tunepane/Mp3TransferRecord.h"

#include <vector>

namespace tolv::tunepane {

// The candidates in row order; single files that do not exist are left out silently.
Mp3TransferList CollectMp3Files(const std::vector<Mp3Row>& rows);

// Keeps the first of entries with the same folder and name (letter case aside).
void RemoveDuplicates(Mp3TransferList& list);

}  // namespace tolv::tunepane
