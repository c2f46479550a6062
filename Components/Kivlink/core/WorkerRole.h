#pragma once
// The threads that serve Kivlink's requests, by what they do. The values are the workers'
// numbers (their place in the start-up order), which trace file names and the busy counters
// use.
enum class KivWorkerRole : int {
    Main = 0,  // the module's main thread, served through its own queue
    File = 1,
    PhoneStatus = 2,
    Listing = 3,
    ChangeNotification = 4,
    Notifications = 5,
};

// A set of roles, for the request types that more than one thread serves.
constexpr unsigned RoleBit(KivWorkerRole role)
{
    return 1u << static_cast<int>(role);
}
