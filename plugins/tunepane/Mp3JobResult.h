#pragma once
// What an MP3 upload job returns to its starter; the task adapter passes it on to the scheduler.

namespace tolv::tunepane {

enum Mp3JobResult : long {
    kJobDoneOrNothingToDo = 0,  // also: refused because a job is running
    kJobCancelled = 1,  // the user pressed Cancel in the progress dialog
    kJobFailed = 2,  // no phone, no server object, or a fatal error
    kJobNoPage = 4,  // the task adapter could not create the page
};

}  // namespace tolv::tunepane
