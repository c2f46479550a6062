#pragma once
// What a transfer job (MP3 upload, photo download) returns to its starter; the task adapter
// passes it on to the scheduler.

namespace tolv::plugins {

enum TransferJobResult : long {
    kJobDoneOrNothingToDo = 0,  // also: refused because a job is running
    kJobCancelled = 1,  // the user pressed Cancel in the progress dialog
    kJobFailed = 2,  // no phone, no server object, or a fatal error
    kJobNoPage = 4,  // the task adapter could not create the page
};

}  // namespace tolv::plugins
