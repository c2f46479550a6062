#pragma once
// What an MP3 upload job returns to its starter: the transfer jobs' common result.
#include "plugins/common/TransferJobResult.h"

namespace tolv::tunepane {

using Mp3JobResult = plugins::TransferJobResult;
using plugins::kJobCancelled;
using plugins::kJobDoneOrNothingToDo;
using plugins::kJobFailed;
using plugins::kJobNoPage;

}  // namespace tolv::tunepane
