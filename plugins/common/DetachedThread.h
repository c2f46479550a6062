#pragma once
// The plug-ins' fire-and-forget workers: the job started by the tool button, the box that says
// the host cannot close, the page's refreshes. Nobody joins them, so each thread keeps the
// library that holds its code loaded until its last instruction has run.
#include <functional>

namespace tolv::plugins {

enum class ThreadApartment { None, SingleThreaded };

// Runs `body` on a new thread, in a single-threaded apartment of its own unless told
// otherwise. False when the thread could not be started (`body` then never runs).
bool StartDetachedThread(std::function<void()> body, ThreadApartment apartment = ThreadApartment::SingleThreaded);

}  // namespace tolv::plugins
